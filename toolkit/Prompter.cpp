#include "toolkit/Prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Qt filter text "Bitmaps (*.bmp)" from the "Bitmaps (*.bmp)|*.bmp" entry form.
QString QtFilter(const QString& entry) {
    return entry.section(QLatin1Char('|'), 0, 0);
}

// Message boxes are captioned by their kind; each kind carries its standard icon, and the
// error box, captioned with the application title, the error icon.
QMessageBox::Icon IconOfKind(const QString& caption) {
    if (caption == QStringLiteral("Warning")) return QMessageBox::Warning;
    if (caption == QStringLiteral("Confirm")) return QMessageBox::Question;
    if (caption == QStringLiteral("Information")) return QMessageBox::Information;
    return QMessageBox::Critical;
}

class TQtPrompter : public TPrompter {
public:
    TPromptAnswer Message(QWidget* parent, const QString& caption, const QString& text,
                          TPromptButtons buttons) override {
        QMessageBox box(parent);
        box.setWindowTitle(caption);
        box.setIcon(IconOfKind(caption));
        box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        if (buttons != TPromptButtons::YesNo) {
            box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            QPushButton* open =
                buttons == TPromptButtons::OkOpenFolder
                    ? box.addButton(QStringLiteral("Open Folder"), QMessageBox::ActionRole)
                    : nullptr;
            box.exec();
            return open && box.clickedButton() == open ? TPromptAnswer::OpenFolder
                                                       : TPromptAnswer::Ok;
        }
        QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.exec();
        return box.clickedButton() == yes ? TPromptAnswer::Yes : TPromptAnswer::No;
    }

    TSaveFileAnswer SaveFile(QWidget* parent, const TSaveFileRequest& request) override {
        QStringList filters;
        for (const QString& entry : request.Filters) filters << QtFilter(entry);
        QFileDialog dialog(parent, request.Title);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilters(filters);
        if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size()) {
            dialog.selectNameFilter(filters[request.FilterIndex - 1]);
        }
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
        TSaveFileAnswer answer;
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return answer;
        answer.Accepted = true;
        answer.FileName = dialog.selectedFiles().first();
        answer.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
        if (answer.FilterIndex < 1) answer.FilterIndex = 1;
        return answer;
    }

    bool ChooseColor(QWidget* parent, QColor& color) override {
        QColor chosen = QColorDialog::getColor(color, parent);
        if (!chosen.isValid()) return false;
        color = chosen;
        return true;
    }

    bool ChooseFolder(QWidget* parent, const QString& caption, QString& folder) override {
        QString chosen = QFileDialog::getExistingDirectory(parent, caption, folder);
        if (chosen.isEmpty()) return false;
        folder = chosen;
        return true;
    }
};

TPrompter* installed = nullptr;
QString& Title() {
    static QString title = QStringLiteral("Marrowby 2");
    return title;
}

}  // namespace

TPrompter& Prompter() {
    static TQtPrompter qtPrompter;
    return installed ? *installed : qtPrompter;
}

void SetPrompter(TPrompter* prompter) {
    installed = prompter;
}

QString ApplicationTitle() {
    return Title();
}
void SetApplicationTitle(const QString& title) {
    Title() = title;
}

void ShowErrorBox(QWidget* parent, const QString& message) {
    // A message that already ends a sentence ("Error Opening File x!") gets no full stop.
    QString text = message;
    if (!text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1Char('!')))
        text += QLatin1Char('.');
    Prompter().Message(parent, ApplicationTitle(), text, TPromptButtons::Ok);
}

void ShowErrorBox(QWidget* parent, const std::exception& error) {
    ShowErrorBox(parent, QString::fromUtf8(error.what()));
}
