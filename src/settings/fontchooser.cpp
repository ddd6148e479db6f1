#include "settings/fontchooser.h"

#include "platform/installedfonts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

// Style rows: bit 0 italic, bit 1 bold.
const QStringList styleNames{u"Standard"_s, u"Kursiv"_s, u"Fett"_s, u"Fett Kursiv"_s};

QListWidget *addColumn(QGridLayout *grid, int column, const QString &caption, const QString &objectName)
{
    auto *list = new QListWidget;
    list->setObjectName(objectName);
    auto *label = new QLabel(caption);
    label->setBuddy(list);
    grid->addWidget(label, 0, column);
    grid->addWidget(list, 1, column);
    return list;
}

void selectRow(QListWidget *list, int row)
{
    list->setCurrentRow(row);
    if (QListWidgetItem *item = list->currentItem())
        list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

} // namespace

FontChooser::FontChooser(const SampleFont &preset, int smallest, int largest, QStringList faces, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"FontChooser"_s);
    setWindowTitle(u"Schriftart"_s);

    auto *grid = new QGridLayout;
    m_faces = addColumn(grid, 0, u"Schrift&art:"_s, u"lstFace"_s);
    m_styles = addColumn(grid, 1, u"Schrift&schnitt:"_s, u"lstStyle"_s);
    m_sizes = addColumn(grid, 2, u"Schrift&grad:"_s, u"lstSize"_s);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    faces.sort(Qt::CaseInsensitive);
    faces.removeDuplicates();
    if (!preset.face.isEmpty() && !faces.contains(preset.face, Qt::CaseInsensitive))
        faces.prepend(preset.face);
    m_faces->addItems(faces);
    const auto face = std::find_if(faces.cbegin(), faces.cend(), [&preset](const QString &name) {
        return name.compare(preset.face, Qt::CaseInsensitive) == 0;
    });
    selectRow(m_faces, int(face - faces.cbegin()));

    m_styles->addItems(styleNames);
    selectRow(m_styles, (preset.italic ? 1 : 0) + (preset.bold ? 2 : 0));

    // Whole sizes of the range, and a stored fraction (8.25) inside it as it is.
    const double presetSize = std::clamp(preset.size, double(smallest), double(largest));
    QList<double> sizes;
    for (int size = smallest; size <= largest; ++size)
        sizes.append(size);
    if (presetSize != std::floor(presetSize))
        sizes.insert(int(presetSize) - smallest + 1, presetSize);
    const QLocale german(QLocale::German, QLocale::Germany);
    for (double size : std::as_const(sizes)) {
        auto *item = new QListWidgetItem(german.toString(size), m_sizes);
        item->setData(Qt::UserRole, size);
    }
    selectRow(m_sizes, int(sizes.indexOf(presetSize)));

    auto *effects = new QGroupBox(u"Effekte"_s);
    m_strikethru = new QCheckBox(u"&Durchgestrichen"_s);
    m_strikethru->setObjectName(u"chkStrikethru"_s);
    m_strikethru->setChecked(preset.strikethru);
    m_underline = new QCheckBox(u"&Unterstrichen"_s);
    m_underline->setObjectName(u"chkUnderline"_s);
    m_underline->setChecked(preset.underline);
    auto *effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(m_strikethru);
    effectsLayout->addWidget(m_underline);
    effectsLayout->addStretch();

    auto *sampleBox = new QGroupBox(u"Beispiel"_s);
    m_sample = new QLabel(u"AaBbYyZz"_s);
    m_sample->setObjectName(u"lblSample"_s);
    m_sample->setAlignment(Qt::AlignCenter);
    // Room for the largest size, so the dialog keeps its size while one chooses.
    m_sample->setMinimumHeight(2 * largest + 12);
    (new QVBoxLayout(sampleBox))->addWidget(m_sample);

    auto *lower = new QHBoxLayout;
    lower->addWidget(effects, 1);
    lower->addWidget(sampleBox, 2);

    auto *ok = new QPushButton(u"OK"_s);
    ok->setObjectName(u"cmdOK"_s);
    ok->setDefault(true);
    auto *cancel = new QPushButton(u"Abbrechen"_s);
    cancel->setObjectName(u"cmdCancel"_s);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(lower);
    layout->addLayout(buttons);
    resize(480, 340);

    for (QListWidget *list : {m_faces, m_styles, m_sizes})
        connect(list, &QListWidget::currentRowChanged, this, &FontChooser::showSample);
    connect(m_strikethru, &QCheckBox::toggled, this, &FontChooser::showSample);
    connect(m_underline, &QCheckBox::toggled, this, &FontChooser::showSample);
    showSample();
}

FontChooser::~FontChooser() = default;

std::optional<SampleFont> FontChooser::choose(QWidget *parent, const SampleFont &preset, int smallest, int largest)
{
    FontChooser chooser(preset, smallest, largest, installedFontNames(), parent);
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.chosen();
}

SampleFont FontChooser::chosen() const
{
    SampleFont font;
    if (const QListWidgetItem *face = m_faces->currentItem())
        font.face = face->text();
    const int style = std::max(m_styles->currentRow(), 0);
    font.italic = (style & 1) != 0;
    font.bold = (style & 2) != 0;
    if (const QListWidgetItem *size = m_sizes->currentItem())
        font.size = size->data(Qt::UserRole).toDouble();
    font.strikethru = m_strikethru->isChecked();
    font.underline = m_underline->isChecked();
    return font;
}

void FontChooser::showSample()
{
    m_sample->setFont(chosen().toFont());
}

} // namespace Tarvosk
