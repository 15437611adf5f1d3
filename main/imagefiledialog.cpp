#include "main/imagefiledialog.h"

#include <array>

#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QSettings>
#include <QSortFilterProxyModel>

using namespace Qt::StringLiterals;

namespace {

struct ImageFilter {
    QString description;
    QStringList patterns; // matched without regard to case
};

// QFileDialog would read the patterns out of the descriptions, where "*.*"
// misses names without a dot and "*.swc," carries a comma; the patterns are
// given apart instead.
const std::array<ImageFilter, 5> &filters()
{
    static const std::array<ImageFilter, 5> all = {{
        {u"All Files (*.*)"_s, {u"*"_s}},
        {u"All SNES ROM Files (*.swc, *.smc, *.fig)"_s, {u"*.smc"_s, u"*.swc"_s, u"*.fig"_s}},
        {u"Super MagiCom ROM File (*.smc)"_s, {u"*.smc"_s}},
        {u"Super Wild Card ROM File (*.swc)"_s, {u"*.swc"_s}},
        {u"Super UFO 8/Pro Fighter X ROM File (*.fig)"_s, {u"*.fig"_s}},
    }};
    return all;
}

// Shows folders and the files that match the selected filter.
class PatternFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setPatterns(const QStringList &patterns)
    {
        m_patterns.clear();
        for (const QString &pattern : patterns) {
            m_patterns.append(QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive,
                                                               QRegularExpression::DefaultWildcardConversion));
        }
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        const QModelIndex index = sourceModel()->index(row, 0, parent);
        if (!files || files->isDir(index))
            return true;
        const QString fileName = files->fileName(index);
        for (const QRegularExpression &pattern : m_patterns) {
            if (pattern.match(fileName).hasMatch())
                return true;
        }
        return false;
    }

private:
    QList<QRegularExpression> m_patterns;
};

} // namespace

QStringList imageFileFilters()
{
    QStringList descriptions;
    for (const ImageFilter &filter : filters())
        descriptions.append(filter.description);
    return descriptions;
}

QString chooseImageFile(QWidget *parent)
{
    // The dialog keeps its last folder and history in a settings file of the
    // toolkit's; Veltrano keeps no files, so those settings go nowhere. No
    // other part of the program uses settings.
    static const bool settingsDiscarded = [] {
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, u"/dev/null"_s);
        return true;
    }();
    Q_UNUSED(settingsDiscarded);

    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile); // never a name that would create a file
    dialog.setNameFilters(imageFileFilters());

    auto *patternFilter = new PatternFilter(&dialog);
    dialog.setProxyModel(patternFilter);
    auto useFilter = [&dialog, patternFilter](const QString &description) {
        for (const ImageFilter &filter : filters()) {
            if (filter.description == description)
                patternFilter->setPatterns(filter.patterns);
        }
        // Undo the dialog's own reading of the description; ours filters.
        if (auto *files = dialog.findChild<QFileSystemModel *>())
            files->setNameFilters({});
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useFilter);
    dialog.selectNameFilter(imageFileFilters().at(DEFAULT_IMAGE_FILTER));
    useFilter(imageFileFilters().at(DEFAULT_IMAGE_FILTER));

    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}
