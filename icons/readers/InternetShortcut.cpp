#include "icons/readers/InternetShortcut.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "icons/GroupFilter.h"

namespace {

constexpr std::string_view kSection = "[InternetShortcut]";
constexpr std::string_view kSpace = " \t\r";

std::string_view Trimmed(std::string_view text) {
    std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

std::string_view AsText(ByteView bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

bool IsInternetShortcut(ByteView Head) {
    std::string_view text = AsText(Head.first(std::min(Head.size(), kInternetShortcutHead)));
    for (std::size_t at = text.find('['); at != std::string_view::npos; at = text.find('[', at + 1))
        if (SameGroupName(text.substr(at, kSection.size()), kSection)) return true;
    return false;
}

TShortcutIcon ReadInternetShortcut(ByteView Text) {
    std::string_view text = AsText(Text);
    TShortcutIcon icon;
    bool inSection = false;
    std::string_view iconFile;
    while (!text.empty()) {
        std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.starts_with('[')) {
            inSection = SameGroupName(line, kSection);
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string_view key = Trimmed(line.substr(0, equals));
        std::string_view value = Trimmed(line.substr(equals + 1));
        if (SameGroupName(key, "IconFile")) iconFile = value;
        if (SameGroupName(key, "IconIndex"))
            std::from_chars(value.data(), value.data() + value.size(), icon.Index);
    }
    if (iconFile.empty()) throw TReadError("the internet shortcut names no IconFile");
    icon.WindowsPaths.emplace_back(iconFile);
    return icon;
}
