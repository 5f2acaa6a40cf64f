#include "app/QtControls.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStringList>

#include "sys/QtSystem.h"
#include "text/Charset.h"

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit leftButtonPressed();
    QLabel::mousePressEvent(event);
}

GbkText QtLabelCaption::text() const { return fromQString(label_->text()); }
void QtLabelCaption::setText(const GbkText& text) { label_->setText(toQString(text)); }

GbkText QtEditCaption::text() const { return fromQString(edit_->text()); }
void QtEditCaption::setText(const GbkText& text) { edit_->setText(toQString(text)); }

bool QtCheckBox::isChecked() const { return box_->isChecked(); }
void QtCheckBox::setChecked(bool checked) { box_->setChecked(checked); }  // emits no clicked()

void QtMessageBoxes::show(const GbkText& text, int type, const GbkText& title) {
    static const GbkText defaultTitle = utf8ToGbk("信息：");
    QMessageBox box;
    box.setWindowTitle(toQString(title.empty() ? defaultTitle : title));
    box.setText(toQString(text));
    box.setIcon(type == kExclamation   ? QMessageBox::Warning
                : type == kInformation ? QMessageBox::Information
                                       : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

GbkText QtFileChooser::chooseFile(const GbkText& title, const FileFilter& filter,
                                  const GbkText& initialDirectory) {
    // Qt reads the patterns from a trailing "(...)", so each pattern is repeated there.
    QStringList filters;
    for (const auto& [description, pattern] : filter) {
        filters << toQString(description) + QStringLiteral(" (") + toQString(pattern) +
                       QStringLiteral(")");
    }
    return fromQString(QFileDialog::getOpenFileName(
        owner_, toQString(title), toQString(initialDirectory), filters.join(QStringLiteral(";;"))));
}
