#include "framework/TFileDialog.h"

#include <QDir>
#include <QFileInfo>

TFileDialog::TFileDialog(QObject* parent) : QObject(parent) {}

QList<QPair<QString, QString>> TFileDialog::filterPairs() const
{
    QList<QPair<QString, QString>> pairs;
    if (m_filter.isEmpty())
        return pairs;
    const QStringList parts = m_filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.append({parts[i], parts[i + 1]});
    return pairs;
}

QStringList TFileDialog::qtNameFilters() const
{
    QStringList filters;
    for (const auto& [description, pattern] : filterPairs()) {
        QString patterns = pattern;
        patterns.replace(u';', u' ');
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    return filters;
}

void TFileDialog::accept(const QString& chosenFile, bool readOnly)
{
    m_fileName = chosenFile;
    m_options.setFlag(ofReadOnly, readOnly);
    if (!m_options.testFlag(ofNoChangeDir))
        QDir::setCurrent(QFileInfo(chosenFile).absolutePath());
}
