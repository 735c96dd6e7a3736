#include "FileDialogs.h"

#include "Translator.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace fenster {

namespace {

// Qt's own file dialog, not the desktop's: it is the same everywhere and
// its controls carry accessible names.
void Prepare(QFileDialog& dialog, const QString& programFilter, const QString& startName)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setNameFilters(QtNameFilters(programFilter).split(QStringLiteral(";;")));
    if (!startName.isEmpty()) {
        const QFileInfo start(startName);
        dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
}

QString Chosen(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString QtNameFilters(const QString& programFilter)
{
    const QStringList parts = programFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            for (const QString& variant : { pattern, pattern.toLower(), pattern.toUpper() }) {
                if (!patterns.contains(variant))
                    patterns << variant;
            }
        }
        QString description = parts[i];
        // "Fenster Dateien (*.Fnt)" already names its pattern.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0 && description.endsWith(QLatin1Char(')')))
            description = description.left(open).trimmed();
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString ChooseFileToOpen(QWidget* parent, const QString& programFilter, const QString& startName)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setWindowTitle(TranslateText(QStringLiteral("Öffnen")));
    Prepare(dialog, programFilter, startName);
    return Chosen(dialog);
}

SaveDialog::SaveDialog(QWidget* parent)
    : m_dialog(new QFileDialog(parent))
{
    m_dialog->setObjectName(QStringLiteral("SaveDialog1"));
    m_dialog->setAcceptMode(QFileDialog::AcceptSave);
    m_dialog->setFileMode(QFileDialog::AnyFile);
    m_dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
}

QString SaveDialog::ask(const QString& programFilter, const QString& defaultSuffix, const QString& startName)
{
    m_dialog->setWindowTitle(TranslateText(QStringLiteral("Speichern unter")));
    m_dialog->setDefaultSuffix(defaultSuffix);
    Prepare(*m_dialog, programFilter, startName);
    return Chosen(*m_dialog);
}

} // namespace fenster
