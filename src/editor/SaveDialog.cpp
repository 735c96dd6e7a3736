#include "SaveDialog.h"

#include <QFileDialog>

namespace fenster {

SaveDialog::SaveDialog(QWidget* parent)
    : m_parent(parent)
{
}

SaveDialog::~SaveDialog()
{
    delete m_dialog;
}

QStringList FileDialogFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype open = description.indexOf(QLatin1Char('('));
        if (open >= 0)
            description = description.left(open).trimmed();
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            for (const QString& spelling : { pattern, pattern.toUpper(), pattern.toLower() }) {
                if (!patterns.contains(spelling))
                    patterns << spelling;
            }
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

QString SaveDialog::Execute(const QString& defaultExtension, const QString& filter, const QString& fileName)
{
    if (!m_dialog) {
        m_dialog = new QFileDialog(m_parent);
        m_dialog->setObjectName(QStringLiteral("SaveDialog1"));
        m_dialog->setAccessibleName(QStringLiteral("Speichern unter"));
        m_dialog->setAcceptMode(QFileDialog::AcceptSave);
        m_dialog->setFileMode(QFileDialog::AnyFile);
        m_dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    m_dialog->setDefaultSuffix(defaultExtension);
    m_dialog->setNameFilters(FileDialogFilters(filter));
    const QString start = fileName.isEmpty() ? m_fileName : fileName;
    if (!start.isEmpty())
        m_dialog->selectFile(start);
    QString chosen;
    if (m_dialog->exec() == QDialog::Accepted && !m_dialog->selectedFiles().isEmpty())
        chosen = m_dialog->selectedFiles().constFirst();
    remember(defaultExtension, filter, chosen);
    return chosen;
}

void SaveDialog::remember(const QString& defaultExtension, const QString& filter, const QString& chosen)
{
    m_defaultExtension = defaultExtension;
    m_filter = filter;
    if (!chosen.isEmpty())
        m_fileName = chosen;
}

} // namespace fenster
