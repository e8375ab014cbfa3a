#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <exception>

class QWidget;

// Every modal question, refusal, notice and common dialog of the program goes through one
// TPrompter, so tests can answer them. Message texts use CR LF between lines.
// OkOpenFolder: OK and "Open Folder", the report at the end of a batch export.
enum class TPromptButtons { Ok, YesNo, OkOpenFolder };
enum class TPromptAnswer { Ok, Yes, No, OpenFolder };

// What a file-save dialog is asked to show.
struct TSaveFileRequest {
    QString Title;
    QStringList Filters;  // "Bitmaps (*.bmp)|*.bmp" style entries, in order
    int FilterIndex = 1;  // 1-based, as the dialog reports it
    QString FileName;     // initial name
};

// What the user answered in a file-save dialog.
struct TSaveFileAnswer {
    bool Accepted = false;
    QString FileName;
    int FilterIndex = 1;  // 1-based entry of Filters chosen
};

class TPrompter {
public:
    virtual ~TPrompter() = default;
    // A message box: caption, text and buttons; returns the button pressed.
    virtual TPromptAnswer Message(QWidget* parent, const QString& caption, const QString& text,
                                  TPromptButtons buttons) = 0;
    virtual TSaveFileAnswer SaveFile(QWidget* parent, const TSaveFileRequest& request) = 0;
    // Returns false when the user cancels; otherwise sets colour.
    virtual bool ChooseColor(QWidget* parent, QColor& color) = 0;
    // Returns false when the user cancels; otherwise sets folder.
    virtual bool ChooseFolder(QWidget* parent, const QString& caption, QString& folder) = 0;
    // A file-open dialog starting in path's folder, showing the files of the filters ("Icon
    // files (*.ico *.dll)" style entries, the first chosen). Returns false when the user
    // cancels; otherwise sets path to the chosen file.
    virtual bool OpenFile(QWidget* parent, const QString& caption, const QStringList& filters,
                          QString& path) = 0;
};

// The prompter in use: the Qt one unless a test installed another.
TPrompter& Prompter();
// Installs a prompter (not owned); nullptr restores the Qt one.
void SetPrompter(TPrompter* prompter);

// The application title: the caption of error boxes.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// Shows the standard error box for an error no command handled: caption the application
// title, text the message with a period appended when it does not end in one.
void ShowErrorBox(QWidget* parent, const QString& message);
void ShowErrorBox(QWidget* parent, const std::exception& error);

// Runs a command and turns any exception it lets out into the error box, so no exception
// ever crosses the Qt event loop.
template <typename Command>
void RunCommand(QWidget* parent, Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        ShowErrorBox(parent, e);
    } catch (...) {
        ShowErrorBox(parent, QStringLiteral("Unknown error"));
    }
}
