#include "ui/QtCommonDialog.h"
#include "ui/DialogFilter.h"
#include "ui/FontChooserDialog.h"
#include "ui/QtMessageBox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace wavemark;
using Outcome = DialogResult::Outcome;

namespace {

// Answers the next modal T once, from its exec(), when it becomes the active window.
template <typename T> class ModalAnswer : public QObject {
public:
    explicit ModalAnswer(std::function<void(T*)> answer) : m_answer(std::move(answer)) {
        QApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* modal = qobject_cast<T*>(watched);
        if (!m_answered && modal && event->type() == QEvent::WindowActivate &&
            modal == QApplication::activeModalWidget()) {
            m_answered = true;
            // Queued: the answer may close the dialog or open a nested one.
            QMetaObject::invokeMethod(
                modal, [this, modal] { m_answer(modal); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void(T*)> m_answer;
    bool m_answered = false;
};

// The style of a platform that orders dialog buttons its own way.
class ButtonOrderStyle : public QProxyStyle {
public:
    explicit ButtonOrderStyle(QDialogButtonBox::ButtonLayout order)
        : QProxyStyle(QStringLiteral("Fusion")), m_order(order) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        return hint == SH_DialogButtonLayout ? m_order
                                             : QProxyStyle::styleHint(hint, option, widget, data);
    }

private:
    QDialogButtonBox::ButtonLayout m_order;
};

std::string local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Types a name with the focus in the field (only then is the preset dropped), then answers.
void type(QFileDialog* dialog, const QString& name, bool accept = true) {
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    edit->setFocus();
    edit->setText(name);
    accept ? static_cast<QDialog*>(dialog)->accept() : dialog->reject();
}

} // namespace

class QtCommonDialogTest : public QObject {
    Q_OBJECT

private slots:
    // A pattern's "(...)" gives way to its globs; flag 2 confirms overwrites, 0x1000 opens.
    void filtersAndFlags() {
        QCOMPARE(toQtNameFilters("Text Files (*.txt)|*.log|All Files (*.*)|*.*"),
                 (QStringList{"Text Files (*.log)", "All Files (*)"}));
        QCOMPARE(toQtNameFilters("Nothing||Exports| *.txt;*.csv |"),
                 QStringList{"Exports (*.txt *.csv)"});
        const auto confirms = [](int flags) {
            return !toFileDialogFlags(flags).options.testFlag(QFileDialog::DontConfirmOverwrite);
        };
        QVERIFY(confirms(0x6) && !confirms(0x1000) && !confirms(~0x1002));
        QCOMPARE(toFileDialogFlags(~0x1002).fileMode, QFileDialog::AnyFile);
    }

    // A cancel keeps FileName (32755 with CancelError); Save takes a typed name in InitDir.
    void fileDialogs() {
        QtCommonDialog dialog(&m_window);
        dialog.Filter = "GPS TrackMaker File (*.gtm)|*.gtm|";
        dialog.InitDir = local(m_folder.path());
        dialog.FileName = "NS-Log_.gtm";
        for (const bool open : {true, false}) {
            dialog.CancelError = open;
            dialog.Flags = open ? 0x1000 : 0;
            QFileDialog::FileMode mode{};
            ModalAnswer<QFileDialog> cancel([&](QFileDialog* shown) {
                mode = shown->fileMode();
                type(shown, "other.gtm", false);
            });
            const DialogResult cancelled = open ? dialog.ShowOpen() : dialog.ShowSave();
            QCOMPARE(cancelled.outcome, Outcome::Cancelled);
            QCOMPARE(cancelled.errorNumber, open ? 32755 : 0);
            QCOMPARE(mode, open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
            QCOMPARE(dialog.FileName, std::string("NS-Log_.gtm"));
        }

        QString proposed;
        ModalAnswer<QFileDialog> save([&](QFileDialog* shown) {
            proposed = shown->findChild<QLineEdit*>("fileNameEdit")->text();
            type(shown, QString::fromUtf8("Überblick"));
        });
        QCOMPARE(dialog.ShowSave().outcome, Outcome::Accepted);
        QCOMPARE(proposed, QStringLiteral("NS-Log_.gtm"));
        QCOMPARE(dialog.FileName, local(m_folder.filePath(QString::fromUtf8("Überblick"))));
    }

    // 4227072 = 0x00408000 is red 0, green 128, blue 64, in both directions.
    void colorRoundTripsBgr() {
        QtCommonDialog dialog(&m_window);
        dialog.Color = 4227072;
        QColor opened;
        ModalAnswer<QColorDialog> answer([&](QColorDialog* shown) {
            opened = shown->currentColor();
            shown->setCurrentColor(QColor(10, 20, 30));
            shown->accept();
        });
        QCOMPARE(dialog.ShowColor().outcome, Outcome::Accepted);
        QCOMPARE(opened, QColor(0, 128, 64));
        QCOMPARE(dialog.Color, 0x001E140A);
    }

    // A missing preset family comes back untouched rather than its substitute, 8.25 unrounded.
    void font() {
        for (const bool change : {true, false}) {
            QtCommonDialog dialog(&m_window);
            dialog.FontName = "Wavemark Missing Sans";
            dialog.FontSize = 8.25;
            dialog.FontBold = dialog.FontUnderline = true;
            dialog.Color = 4227072;
            QString chosenFamily;
            ModalAnswer<FontChooserDialog> answer([&](FontChooserDialog* shown) {
                if (change) {
                    auto* family = shown->findChild<QFontComboBox*>("family");
                    family->setCurrentIndex(family->count() - 1);
                    chosenFamily = family->currentText();
                    shown->findChild<QDoubleSpinBox*>("size")->setValue(12.5);
                    for (const char* name : {"bold", "italic", "underline", "strikeOut"}) {
                        auto* box = shown->findChild<QCheckBox*>(name);
                        box->setChecked(!box->isChecked());
                    }
                    ModalAnswer<QColorDialog> color([](QColorDialog* colors) {
                        colors->setCurrentColor(QColor(10, 20, 30));
                        colors->accept();
                    });
                    shown->findChild<QPushButton*>("color")->click();
                }
                shown->accept();
            });
            QCOMPARE(dialog.ShowFont().outcome, Outcome::Accepted);
            QCOMPARE(dialog.FontName, change ? local(chosenFamily) : "Wavemark Missing Sans");
            QCOMPARE(dialog.FontSize, change ? 12.5 : 8.25);
            QCOMPARE(dialog.FontBold, !change);
            QCOMPARE(dialog.FontItalic, change);
            QCOMPARE(dialog.FontUnderline, !change);
            QCOMPARE(dialog.FontStrikethru, change);
            QCOMPARE(dialog.Color, change ? 0x001E140A : 4227072);
        }
    }

    // Enter answers Yes to a Yes/No question, in any platform's button order.
    void questionAnswersYesOnEnter() {
        const QString style = QApplication::style()->name();
        QtMessageBox boxes(&m_window);
        for (const auto order : {QDialogButtonBox::WinLayout, QDialogButtonBox::MacLayout,
                                 QDialogButtonBox::KdeLayout, QDialogButtonBox::GnomeLayout}) {
            QApplication::setStyle(new ButtonOrderStyle(order));
            ModalAnswer<QMessageBox> enter(
                [](QMessageBox* shown) { QTest::keyClick(shown, Qt::Key_Return); });
            QCOMPARE(boxes.showMessage("The converted data is not saved ! Do you like to save the "
                                       "data before closing the program ?",
                                       MessageButtons::YesNo, MessageIcon::None, "Wavemark"),
                     MessageAnswer::Yes);
        }
        QApplication::setStyle(style);
    }

private:
    QTemporaryDir m_folder;
    QWidget m_window;
};

QTEST_MAIN(QtCommonDialogTest)
#include "QtCommonDialogTest.moc"
