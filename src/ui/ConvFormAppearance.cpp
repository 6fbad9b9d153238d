#include "ui/ConvForm.h"

#include "settings/TextForms.h"
#include "ui/BgrColor.h"
#include "ui/LineWidget.h"
#include "ui/LocalText.h"

#include <QComboBox>
#include <QLabel>

namespace wavemark {
namespace {

void setColor(QWidget* widget, QPalette::ColorRole role, int32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(role, FromBgr(bgr));
    widget->setPalette(palette);
}

// Cancel is no failure here: the dialog then still holds what it was handed,
// and taking that back changes nothing.
void showColorDialog(CommonDialog& dialog, int32_t& color) {
    dialog.Color = color;
    dialog.DialogTitle = "Color";
    dialog.Flags = 0;
    dialog.CancelError = false;
    dialog.ShowColor();
    color = dialog.Color;
}

// The preview tells "Thin line" from every other style by its width alone,
// 1 pixel against the 2 of the window's other lines, and draws no dashes,
// crosses or fills: that is the window as its users know it. The map files
// and the map window give each style a width of its own instead (LineWidth,
// maps/Legend.h), so that styles stay apart in other viewers; the written
// files must not change with the window, so the two rules stay apart too.
constexpr int16_t kThinLineStyle = 1;

int previewLineWidth(int16_t lineStyle) {
    return lineStyle == kThinLineStyle ? 1 : 2;
}

} // namespace

void ConvForm::SelectFont_Click() {
    CommonDialog& dialog = *FontDialog;
    dialog.FontName = m_settings.WPFontName;
    dialog.FontSize = m_settings.WPFontSize;
    dialog.FontBold = m_settings.WPFontBold;
    dialog.FontItalic = m_settings.WPFontItalic;
    dialog.FontUnderline = m_settings.WPFontUnderl;
    dialog.Color = m_settings.WPFontColor;
    dialog.DialogTitle = "Select he Waypoint - Font";
    dialog.Flags =
        CommonDialog::kScreenFonts | CommonDialog::kPrinterFonts | CommonDialog::kFontEffects;
    dialog.CancelError = false;
    dialog.ShowFont();

    m_settings.WPFontName = dialog.FontName;
    // Whole points, halves to the even neighbour as the settings file reads
    // sizes: 10.5 gives 10, 11.5 gives 12.
    m_settings.WPFontSize = static_cast<int16_t>(RoundHalfToEven(dialog.FontSize));
    m_settings.WPFontBold = dialog.FontBold;
    m_settings.WPFontItalic = dialog.FontItalic;
    m_settings.WPFontUnderl = dialog.FontUnderline;
    m_settings.WPFontColor = dialog.Color;
    showFontPreviews();
}

void ConvForm::SelectBackground_Click() {
    showColorDialog(*ColorDialog, m_settings.WPTBoxBackColor);
    showBackgroundPreview();
}

void ConvForm::chooseTrackColor(int32_t& color, LineWidget* preview) {
    showColorDialog(*ColorDialog, color);
    preview->setLineColor(FromBgr(color));
}

void ConvForm::CB_Line_Click(QComboBox* list, int16_t& lineStyle, int32_t color,
                             LineWidget* preview) {
    if (list->currentIndex() < 0) {
        return;
    }
    lineStyle = static_cast<int16_t>(list->currentData().toInt());
    showLinePreview(preview, lineStyle, color);
}

// Both name previews show the waypoint font in its colour and keep their
// size fitted to the text.
void ConvForm::showFontPreviews() {
    QFont font(FromLocal(m_settings.WPFontName));
    font.setPointSize(m_settings.WPFontSize);
    font.setBold(m_settings.WPFontBold);
    font.setItalic(m_settings.WPFontItalic);
    font.setUnderline(m_settings.WPFontUnderl);
    for (const char* name : {"FontTest(0)", "FontTest(1)"}) {
        auto* preview = m_controls.get<QLabel>(name);
        preview->setFont(font);
        setColor(preview, QPalette::WindowText, m_settings.WPFontColor);
        preview->adjustSize();
    }
}

// Only the text box preview has a background of its own.
void ConvForm::showBackgroundPreview() {
    auto* preview = m_controls.get<QLabel>("FontTest(0)");
    preview->setAutoFillBackground(true);
    setColor(preview, QPalette::Window, m_settings.WPTBoxBackColor);
}

void ConvForm::showLinePreview(LineWidget* preview, int16_t lineStyle, int32_t color) {
    preview->setLineWidth(previewLineWidth(lineStyle));
    preview->setLineColor(FromBgr(color));
}

} // namespace wavemark
