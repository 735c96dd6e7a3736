#pragma once

#include <QPointer>
#include <QString>

class QFileDialog;
class QWidget;

namespace fenster {

// The main window's one save dialog, shared by every command that asks for
// a file name to write: it keeps the default extension, the filter and the
// name chosen last, so that a later command starts from them.
class SaveDialog {
public:
    explicit SaveDialog(QWidget* parent);
    virtual ~SaveDialog();
    SaveDialog(const SaveDialog&) = delete;
    SaveDialog& operator=(const SaveDialog&) = delete;

    // Shows the dialog with the default extension (without dot, "BMP") and
    // the filter in the form "Bitmap (*.BMP)|*.BMP", starting at fileName
    // when it is not empty; it asks before an existing file is overwritten.
    // The chosen file name, or an empty text when the user cancels.
    virtual QString Execute(const QString& defaultExtension, const QString& filter, const QString& fileName);

    QString fileName() const { return m_fileName; }
    QString defaultExtension() const { return m_defaultExtension; }
    QString filter() const { return m_filter; }

protected:
    // Keeps what a dialog shown by Execute was given and gave back.
    void remember(const QString& defaultExtension, const QString& filter, const QString& chosen);

private:
    QWidget* m_parent;
    QPointer<QFileDialog> m_dialog;
    QString m_fileName;
    QString m_defaultExtension;
    QString m_filter;
};

// "Bitmap (*.BMP)|*.BMP" as the name filters of a file dialog: each
// description with the patterns in both letter cases, "Bitmap (*.BMP *.bmp)".
QStringList FileDialogFilters(const QString& filter);

} // namespace fenster
