// Window-modal dialogs opened with open(), answered through their signals.
#include "ui/record/record_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace corvane::ui {

void askWhereToSave(QWidget* parent, const QString& title, const QString& fileName,
                    const QString& filter, std::function<void(const QString&)> chosen) {
    auto* dialog =
        new QFileDialog(parent, title,
                        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                            .filePath(fileName),
                        filter);
    dialog->setObjectName(QStringLiteral("saveRecordDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, dialog,
                     [chosen = std::move(chosen)](const QString& file) { chosen(file); });
    dialog->open();
}

void tellNotWritten(QWidget* parent, const QString& file) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Corvane"),
                        QCoreApplication::translate("RecordDialogs", "%1 could not be written.")
                            .arg(QDir::toNativeSeparators(file)),
                        QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace corvane::ui
