#include "QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>

namespace {

QMessageBox::StandardButtons standardButtons(Platform::Buttons buttons)
{
    switch (buttons) {
    case Platform::Buttons::Ok:
        return QMessageBox::Ok;
    case Platform::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Platform::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Platform::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::None:
        return QMessageBox::NoIcon;
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::Exclamation:
        return QMessageBox::Warning;
    case Platform::Icon::Critical:
        return QMessageBox::Critical;
    case Platform::Icon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

Platform::Answer answerOf(int button, Platform::Buttons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return Platform::Answer::Ok;
    case QMessageBox::Yes:
        return Platform::Answer::Yes;
    case QMessageBox::No:
        return Platform::Answer::No;
    default:
        // Esc or the close box: the box's way out.
        return buttons == Platform::Buttons::YesNo ? Platform::Answer::No
               : buttons == Platform::Buttons::Ok  ? Platform::Answer::Ok
                                                   : Platform::Answer::Cancel;
    }
}

} // namespace

Platform::Answer QtPlatform::message(const QString& title, const QString& text, Buttons buttons,
                                     Icon icon)
{
    QMessageBox box(standardIcon(icon), title, text, standardButtons(buttons),
                    QApplication::activeWindow());
    // Messages carry folder names and downloaded text: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    return answerOf(box.exec(), buttons);
}

std::optional<QString> QtPlatform::openFileName(const FileDialog& dialog)
{
    const QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), dialog.title,
        dialog.fileName.isEmpty() ? dialog.folder : dialog.folder + u'/' + dialog.fileName,
        dialog.filter);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtPlatform::saveFileName(const FileDialog& dialog)
{
    const QString chosen = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), dialog.title,
        dialog.fileName.isEmpty() ? dialog.folder : dialog.folder + u'/' + dialog.fileName,
        dialog.filter, nullptr,
        dialog.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtPlatform::inputBox(const QString& title, const QString& prompt,
                                            const QString& text)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    // The prompt names a file: never read it as markup.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

void QtPlatform::setClipboardText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool QtPlatform::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
