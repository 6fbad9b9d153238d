#include "ui/FontChooserDialog.h"

#include "settings/SettingsTable.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace wavemark {

namespace {

// Two decimals keep a handed-in quarter point (8.25) intact when the user
// confirms without touching the size.
constexpr int kSizeDecimals = 2;

QCheckBox* makeCheckBox(const QString& text, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

FontChooserDialog::FontChooserDialog(QWidget* parent)
    : QDialog(parent), m_family(new QFontComboBox(this)), m_size(new QDoubleSpinBox(this)),
      m_bold(makeCheckBox(tr("&Bold"), "bold", this)),
      m_italic(makeCheckBox(tr("&Italic"), "italic", this)),
      m_underline(makeCheckBox(tr("&Underline"), "underline", this)),
      m_strikeOut(makeCheckBox(tr("Stri&ke-out"), "strikeOut", this)),
      m_colorButton(new QPushButton(tr("&Color..."), this)),
      m_preview(new QLabel(QStringLiteral("AaBbYyZz"), this)) {
    setObjectName(QStringLiteral("fontChooserDialog"));
    setWindowTitle(tr("Font"));
    m_family->setObjectName(QStringLiteral("family"));
    m_size->setObjectName(QStringLiteral("size"));
    m_size->setDecimals(kSizeDecimals);
    m_size->setRange(kSmallestFontSize, kLargestFontSize);
    m_colorButton->setObjectName(QStringLiteral("color"));
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setMinimumHeight(60);
    m_preview->setAlignment(Qt::AlignCenter);

    auto* form = new QFormLayout;
    form->addRow(tr("&Font:"), m_family);
    form->addRow(tr("&Size:"), m_size);
    auto* effects = new QHBoxLayout;
    for (QWidget* widget : {static_cast<QWidget*>(m_bold), static_cast<QWidget*>(m_italic),
                            static_cast<QWidget*>(m_underline), static_cast<QWidget*>(m_strikeOut),
                            static_cast<QWidget*>(m_colorButton)}) {
        effects->addWidget(widget);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(effects);
    layout->addWidget(m_preview);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_colorButton, &QPushButton::clicked, this, &FontChooserDialog::chooseColor);
    connect(m_family, &QComboBox::currentTextChanged, this, &FontChooserDialog::updatePreview);
    connect(m_size, &QDoubleSpinBox::valueChanged, this, &FontChooserDialog::updatePreview);
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strikeOut}) {
        connect(box, &QCheckBox::toggled, this, &FontChooserDialog::updatePreview);
    }
    setColor(m_color);
}

void FontChooserDialog::setChoice(const FontChoice& choice) {
    if (!choice.family.isEmpty()) {
        m_family->setCurrentFont(QFont(choice.family));
        // The combo shows the installed substitute of a missing family; keep
        // the name that was handed in, so confirming without touching the
        // family does not rename the font (a GTM file may be read elsewhere).
        m_family->setEditText(choice.family);
    }
    m_size->setValue(choice.pointSize);
    m_bold->setChecked(choice.bold);
    m_italic->setChecked(choice.italic);
    m_underline->setChecked(choice.underline);
    m_strikeOut->setChecked(choice.strikeOut);
    setColor(choice.color);
}

FontChoice FontChooserDialog::choice() const {
    return FontChoice{m_family->currentText(),
                      m_size->value(),
                      m_bold->isChecked(),
                      m_italic->isChecked(),
                      m_underline->isChecked(),
                      m_strikeOut->isChecked(),
                      m_color};
}

void FontChooserDialog::chooseColor() {
    QColorDialog dialog(m_color, this);
    dialog.setObjectName(QStringLiteral("fontColorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() == QDialog::Accepted) {
        setColor(dialog.currentColor());
    }
}

void FontChooserDialog::setColor(const QColor& color) {
    m_color = color;
    QPixmap swatch(16, 16);
    swatch.fill(color);
    m_colorButton->setIcon(QIcon(swatch));
    updatePreview();
}

void FontChooserDialog::updatePreview() {
    const FontChoice current = choice();
    QFont font(current.family);
    font.setPointSizeF(current.pointSize);
    font.setBold(current.bold);
    font.setItalic(current.italic);
    font.setUnderline(current.underline);
    font.setStrikeOut(current.strikeOut);
    m_preview->setFont(font);
    QPalette palette = m_preview->palette();
    palette.setColor(QPalette::WindowText, current.color);
    m_preview->setPalette(palette);
}

} // namespace wavemark
