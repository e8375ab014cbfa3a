#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

// The tool's own binary run as a process, for what only a process shows: its standard output
// failing, signals, two runs at once. Stdin is a pipe the test writes to; stdout goes to a
// descriptor the test gives (a file in Folder by default), stderr to a file in Folder.
class ToolProcess {
public:
    // Starts the tool with Args; InChild runs in the child before the tool starts (to set
    // limits or ignore signals), Stdout is the child's standard output when not -1.
    ToolProcess(const std::vector<std::string>& args, const std::filesystem::path& folder,
                int stdoutFd = -1, const std::function<void()>& inChild = {})
        : out_(folder / "stdout"), err_(folder / "stderr") {
        std::vector<std::string> words{MARROWBY_CLI};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        int in[2];
        if (pipe(in) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], STDIN_FILENO);
            close(in[1]);
            int out =
                stdoutFd >= 0 ? stdoutFd : open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(out, STDOUT_FILENO);
            dup2(open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), STDERR_FILENO);
            if (inChild) inChild();
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        input_ = in[1];
    }
    ~ToolProcess() {
        CloseInput();
        Wait();
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    pid_t Pid() const { return pid_; }
    void Input(const std::string& text) {
        if (write(input_, text.data(), text.size()) < 0) CloseInput();
    }
    void CloseInput() {
        if (input_ >= 0) close(input_);
        input_ = -1;
    }
    // The wait status once the process ended.
    int Wait() {
        if (pid_ > 0 && !waited_) waited_ = waitpid(pid_, &status_, 0) == pid_;
        return status_;
    }
    std::string Out() const { return Read(out_); }
    std::string Err() const { return Read(err_); }

private:
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::filesystem::path out_, err_;
    pid_t pid_ = -1;
    int input_ = -1;
    int status_ = -1;
    bool waited_ = false;
};
