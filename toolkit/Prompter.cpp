#include "toolkit/Prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "toolkit/ReportBox.h"

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

QStyle::StandardPixmap PixmapOfKind(QMessageBox::Icon icon) {
    switch (icon) {
        case QMessageBox::Warning:
            return QStyle::SP_MessageBoxWarning;
        case QMessageBox::Question:
            return QStyle::SP_MessageBoxQuestion;
        case QMessageBox::Information:
            return QStyle::SP_MessageBoxInformation;
        default:
            return QStyle::SP_MessageBoxCritical;
    }
}

// Messages of more lines than this show in a report box, whose details scroll.
constexpr qsizetype kMessageBoxLines = 20;

class TQtPrompter : public TPrompter {
public:
    TPromptAnswer Message(QWidget* parent, const QString& caption, const QString& text,
                          TPromptButtons buttons) override {
        if (buttons == TPromptButtons::OkOpenFolder ||
            (buttons == TPromptButtons::Ok && text.count(QLatin1Char('\n')) >= kMessageBoxLines)) {
            TReportBox box(parent, caption, PixmapOfKind(IconOfKind(caption)), text,
                           buttons == TPromptButtons::OkOpenFolder);
            box.exec();
            return box.OpenFolderChosen() ? TPromptAnswer::OpenFolder : TPromptAnswer::Ok;
        }
        QMessageBox box(parent);
        box.setWindowTitle(caption);
        box.setIcon(IconOfKind(caption));
        box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        if (buttons == TPromptButtons::Ok) {
            box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.exec();
            return TPromptAnswer::Ok;
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

    bool OpenFile(QWidget* parent, const QString& caption, const QStringList& filters,
                  QString& path) override {
        const QString chosen =
            QFileDialog::getOpenFileName(parent, caption, path, filters.join(QStringLiteral(";;")));
        if (chosen.isEmpty()) return false;
        path = chosen;
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
    // A message that already ends a sentence ("Error Opening File x!"), also before the
    // system's reason in parentheses ("Error Opening File x! (Permission denied)"), gets no
    // full stop.
    QString text = message;
    QString sentence = text;
    if (sentence.endsWith(QLatin1Char(')')) && sentence.contains(QStringLiteral(" (")))
        sentence.truncate(sentence.lastIndexOf(QStringLiteral(" (")));
    if (!sentence.endsWith(QLatin1Char('.')) && !sentence.endsWith(QLatin1Char('!')))
        text += QLatin1Char('.');
    Prompter().Message(parent, ApplicationTitle(), text, TPromptButtons::Ok);
}

void ShowErrorBox(QWidget* parent, const std::exception& error) {
    ShowErrorBox(parent, QString::fromUtf8(error.what()));
}
