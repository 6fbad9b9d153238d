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

// "Thin line" (code 1) is drawn 1 pixel wide, every other style 2 pixels;
// the style itself is not drawn.
void ConvForm::showLinePreview(LineWidget* preview, int16_t lineStyle, int32_t color) {
    preview->setLineWidth(lineStyle == 1 ? 1 : 2);
    preview->setLineColor(FromBgr(color));
}

} // namespace wavemark
