#include "ui/export/DirectoryEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

#include "toolkit/Prompter.h"

TDirectoryEdit::TDirectoryEdit(const QString& Caption, QWidget* parent)
    : QWidget(parent), Caption(Caption) {
    Edit = new QLineEdit(this);
    Button = new QToolButton(this);
    Button->setText(QStringLiteral("..."));
    Button->setToolTip(Caption);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(Edit, 1);
    row->addWidget(Button);
    setFocusProxy(Edit);
    connect(Button, &QToolButton::clicked, this, &TDirectoryEdit::ButtonClick);
}

QString TDirectoryEdit::text() const {
    return Edit->text();
}

void TDirectoryEdit::setText(const QString& Text) {
    Edit->setText(Text);
}

void TDirectoryEdit::ButtonClick() {
    QString folder = Edit->text();
    if (Prompter().ChooseFolder(this, Caption, folder)) Edit->setText(folder);
}
