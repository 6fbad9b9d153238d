#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace wavemark {

// Everything the font dialog shows and hands back.
struct FontChoice {
    QString family;
    double pointSize = 8.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QColor color = Qt::black;
};

// A font dialog with a text colour, which QFontDialog lacks. The widgets
// carry object names ("family", "size", "bold", "italic", "underline",
// "strikeOut", "color", "preview") so that tests can find them.
class FontChooserDialog : public QDialog {
    Q_OBJECT

public:
    explicit FontChooserDialog(QWidget* parent = nullptr);

    void setChoice(const FontChoice& choice);
    FontChoice choice() const;

private:
    void chooseColor();
    void setColor(const QColor& color);
    void updatePreview();

    QFontComboBox* m_family;
    QDoubleSpinBox* m_size;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QCheckBox* m_strikeOut;
    QPushButton* m_colorButton;
    QLabel* m_preview;
    QColor m_color = Qt::black;
};

} // namespace wavemark
