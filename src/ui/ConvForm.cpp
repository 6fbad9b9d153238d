#include "ui/ConvForm.h"

#include "ui/AboutForm.h"
#include "ui/ClickLabel.h"
#include "ui/ConvFormLayout.h"
#include "ui/LineWidget.h"
#include "ui/Links.h"
#include "ui/LocalText.h"
#include "ui/Shell.h"
#include "ui/WindowFonts.h"
#include "ui/map/MapForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace wavemark {
namespace {

constexpr int kPaintInterval = 30; // ms between two event passes of a run

QString indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// The counter labels were drawn for counts of a few digits: a text that would
// run past its label's edge gets a smaller font, so a count of ten digits still
// shows whole.
void setFittedText(QLabel* label, const QString& text, QFont font) {
    const int room = label->contentsRect().width() - label->indent();
    while (QFontMetrics(font).horizontalAdvance(text) > room && font.pointSizeF() > 1) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    label->setFont(font);
    label->setText(text);
}

} // namespace

ConvForm::ConvForm(const WindowFolders& folders, WindowServices services)
    : m_services(std::move(services)), m_tileCache(folders.tileCache),
      m_settingsFile(folders.program, folders.userConfig) {
    setWindowTitle(QString::fromUtf8(kConvFormTitle));
    setWindowIcon(QIcon(RenderPicture(QStringLiteral(":/pictures/wavemark.svg"), {32, 32})));
    setFont(WindowFont());
    setFixedSize(ToPixels(kConvFormWidth), ToPixels(kConvFormHeight));
    m_controls.build(ConvFormControls(), this);
    const auto tabOrder = ConvFormTabOrder();
    for (size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(m_controls.get<QWidget>(FromUtf8(tabOrder[i - 1])),
                    m_controls.get<QWidget>(FromUtf8(tabOrder[i])));
    }

    dlgOpenFile = m_services.makeDialog(this);
    CommonDialog1 = m_services.makeDialog(this);
    FontDialog = m_services.makeDialog(this);
    ColorDialog = m_services.makeDialog(this);

    startUp();
    connectHandlers();
    m_controls.get<QWidget>(FromUtf8(tabOrder.front()))->setFocus();
}

ConvForm::~ConvForm() = default;

void ConvForm::connectHandlers() {
    const auto button = [this](const char* name) { return m_controls.get<QPushButton>(name); };
    const auto label = [this](const QString& name) { return m_controls.get<ClickLabel>(name); };
    for (int index : {0, 1}) {
        connect(m_controls.get<QPushButton>(indexed("LoadFile", index)), &QPushButton::clicked,
                this, [this, index] { LoadFile_Click(index); });
    }
    connect(button("SelectFont"), &QPushButton::clicked, this, &ConvForm::SelectFont_Click);
    connect(button("SelectBackground"), &QPushButton::clicked, this,
            &ConvForm::SelectBackground_Click);
    connect(button("TrackColorNoWep"), &QPushButton::clicked, this, [this] {
        chooseTrackColor(m_settings.TColorNoWep, m_controls.get<LineWidget>("TLineNoWepTest"));
    });
    connect(button("TrackColorWep"), &QPushButton::clicked, this, [this] {
        chooseTrackColor(m_settings.TColorWep, m_controls.get<LineWidget>("TLineWepTest"));
    });
    connect(button("Convert"), &QPushButton::clicked, this, &ConvForm::runConvert);
    connect(button("Command1"), &QPushButton::clicked, this, &ConvForm::runSave);
    connect(button("Command2"), &QPushButton::clicked, this, &ConvForm::showAbout);
    connect(label(QStringLiteral("Label2")), &ClickLabel::clicked, this, &ConvForm::showAbout);
    connect(label(QStringLiteral("Label3")), &ClickLabel::clicked, this, &ConvForm::showAbout);
    connect(label(QStringLiteral("Image1")), &ClickLabel::clicked, this,
            [this] { openAddress(kSourceHomePage); });
    connect(label(QStringLiteral("Image2")), &ClickLabel::clicked, this,
            [this] { openAddress(kTargetHomePage); });
    connect(label(indexed("Label_Status", 2)), &ClickLabel::doubleClicked, this,
            &ConvForm::openSavedFile);
    connect(label(indexed("Label_Status", 1)), &ClickLabel::doubleClicked, this,
            &ConvForm::showMap);
    connect(new QShortcut(QKeySequence(QStringLiteral("Ctrl+M")), this), &QShortcut::activated,
            this, &ConvForm::showMap);
    connect(m_controls.get<QLineEdit>("TBAPFilter"), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_settings.APFilter = ToLocal(text); });
    for (const auto& [name, field] : kCheckBoxes) {
        connect(m_controls.get<QCheckBox>(name), &QCheckBox::stateChanged, this,
                [this, member = field](int state) {
                    m_settings.*member = FromCheckState(static_cast<Qt::CheckState>(state));
                });
    }
}

void ConvForm::runConvert() {
    setBusy(true);
    // What went wrong has been shown; the window goes on either way.
    static_cast<void>(Convert(m_state, *this));
    if (m_map) {
        m_map->showScene(std::make_shared<MapScene>(SceneOf(m_state.data)));
    }
    setBusy(false);
}

void ConvForm::runSave() {
    setBusy(true);
    static_cast<void>(Command1_Click(m_state, GtmFilePath, *this));
    setBusy(false);
}

// Convert and Save wait while a run lets window events through; a close
// asked for meanwhile happens once the run is over.
void ConvForm::setBusy(bool busy) {
    m_busy = busy;
    m_controls.get<QPushButton>("Convert")->setEnabled(!busy);
    m_controls.get<QPushButton>("Command1")->setEnabled(!busy);
    if (!busy && m_closePending) {
        m_closePending = false;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void ConvForm::openSavedFile() {
    if (!OpenAppl(*m_services.shell, GtmFilePath)) {
        showMessage("The file could not be opened:\r\n" + GtmFilePath, MessageButtons::Ok,
                    MessageIcon::Exclamation, kProgramTitle);
    }
}

// A page that cannot be opened is not reported.
void ConvForm::openAddress(const char* address) {
    m_services.shell->openAddress(address);
}

void ConvForm::showAbout() {
    if (!m_about) {
        m_about = new AboutForm(this, *m_services.shell);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void ConvForm::showMap() {
    if (!m_map) {
        m_map = new MapForm(m_settingsFile.readMap(),
                            {m_services.shell, QString::fromLocal8Bit(m_tileCache),
                             m_services.makeDialog, m_services.messages},
                            this);
        m_map->showScene(std::make_shared<MapScene>(SceneOf(m_state.data)));
    }
    m_map->show();
    m_map->raise();
    m_map->activateWindow();
}

// A box in the middle of a run comes up over the counters counted so far,
// not over those of the last paint.
MessageAnswer ConvForm::showMessage(const std::string& text, MessageButtons buttons,
                                    MessageIcon icon, const std::string& title) {
    flushCounters();
    return m_services.messages->showMessage(text, buttons, icon, title);
}

void ConvForm::setStatusVisible(StatusNotice notice, bool visible) {
    m_controls.get<QWidget>(indexed("Label_Status", static_cast<int>(notice)))->setVisible(visible);
}

void ConvForm::setCounterLabel(Counter line, const std::string& text) {
    m_counterTexts[static_cast<size_t>(line)] = text;
    m_countersChanged = true;
}

void ConvForm::flushCounters() {
    if (!m_countersChanged) {
        return;
    }
    for (size_t index = 0; index < m_counterTexts.size(); ++index) {
        setFittedText(m_controls.get<QLabel>(indexed("Label1", static_cast<int>(index))),
                      FromLocal(m_counterTexts[index]), font());
    }
    m_countersChanged = false;
}

// A run ends by restoring the pointer: the counters then get their final
// texts and the window catches up with its events.
void ConvForm::setWaitCursor(bool wait) {
    if (wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_sinceEvents.start();
        return;
    }
    QApplication::restoreOverrideCursor();
    flushCounters();
    QCoreApplication::processEvents();
}

bool ConvForm::paintDue() {
    return !m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= kPaintInterval;
}

void ConvForm::processEvents() {
    if (!paintDue()) {
        return;
    }
    flushCounters();
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

QComboBox* ConvForm::list(CodeList which) const {
    switch (which) {
    case CodeList::IconNoWEP:
        return m_controls.get<QComboBox>("CB_IconNoWEP");
    case CodeList::IconWEP:
        return m_controls.get<QComboBox>("CB_IconWEP");
    case CodeList::StyleNoWEP:
        return m_controls.get<QComboBox>("CB_StyleNoWEP");
    case CodeList::StyleWEP:
        return m_controls.get<QComboBox>("CB_StyleWEP");
    }
    return nullptr;
}

void ConvForm::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        m_closePending = true;
        event->ignore();
        return;
    }
    if (!m_unloaded) {
        m_unloaded = true;
        unload();
    }
    if (m_about) {
        m_about->close();
    }
    if (m_map) {
        m_map->close();
    }
    event->accept();
}

} // namespace wavemark
