#include "QtCommonDialog.h"
#include "DialogFilter.h"
#include "FontChooserDialog.h"
#include "ModalAnswer.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace wavemark;
using Outcome = DialogResult::Outcome;

namespace {

std::string local(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// Types into the name field as a user does, with the focus in it: only then
// does the dialog drop the file selected before (the preset name).
void type(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    edit->setFocus();
    edit->setText(name);
}

// QFileDialog::accept(), where Qt checks the typed name, is protected; its
// base is a public slot.
void typeAndAccept(QFileDialog* dialog, const QString& name) {
    type(dialog, name);
    static_cast<QDialog*>(dialog)->accept();
}

// A cancel after typing: the typed name must not reach FileName.
void typeAndReject(QFileDialog* dialog) {
    type(dialog, "other.gtm");
    dialog->reject();
}

} // namespace

class QtCommonDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(QFile(m_folder.filePath("summary.txt")).open(QIODevice::WriteOnly));
    }

    void nameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("own (...) replaced, *.* is every file")
            << "Text Files (*.txt)|*.log|All Files (*.*)|*.*"
            << QStringList{"Text Files (*.log)", "All Files (*)"};
        QTest::newRow("pair without glob left out, globs split at ';', trailing '|'")
            << "Nothing||Exports| *.txt;*.csv |" << QStringList{"Exports (*.txt *.csv)"};
    }

    void nameFilters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(toQtNameFilters(filter), expected);
    }

    void flags_data() {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QFileDialog::FileMode>("fileMode");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("2 confirms overwrite") << 0x6 << QFileDialog::AnyFile << true;
        QTest::newRow("0x1000 must exist") << 0x1000 << QFileDialog::ExistingFile << false;
        QTest::newRow("other bits ignored") << ~0x1002 << QFileDialog::AnyFile << false;
    }

    void flags() {
        QFETCH(int, flags);
        QFETCH(QFileDialog::FileMode, fileMode);
        QFETCH(bool, confirm);
        QCOMPARE(toFileDialogFlags(flags).fileMode, fileMode);
        QCOMPARE(toFileDialogFlags(flags).options.testFlag(QFileDialog::DontConfirmOverwrite),
                 !confirm);
    }

    // Cancel reporting off; then a relative name is taken in InitDir, as typed.
    void saveReturnsTypedFullPath() {
        QtCommonDialog dialog(&m_window);
        dialog.Filter = "GPS TrackMaker File (*.gtm)|*.gtm|";
        dialog.InitDir = local(m_folder.path());
        dialog.FileName = "NS-Log_.gtm";
        ModalAnswer<QFileDialog> cancel(typeAndReject);
        const DialogResult cancelled = dialog.ShowSave();
        QCOMPARE(cancelled.outcome, Outcome::Cancelled);
        QCOMPARE(cancelled.errorNumber, 0);
        QCOMPARE(dialog.FileName, std::string("NS-Log_.gtm"));

        QString proposed;
        ModalAnswer<QFileDialog> save([&](QFileDialog* shown) {
            proposed = shown->findChild<QLineEdit*>("fileNameEdit")->text();
            typeAndAccept(shown, QString::fromUtf8("Überblick"));
        });
        QCOMPARE(dialog.ShowSave().outcome, Outcome::Accepted);
        QVERIFY(cancel.answered() && save.answered());
        QCOMPARE(proposed, QStringLiteral("NS-Log_.gtm"));
        QCOMPARE(dialog.FileName, local(m_folder.filePath(QString::fromUtf8("Überblick"))));
    }

    // Cancel reporting on; then with 0x1000 a missing name is refused with a
    // notice, and the user picks an existing file in the dialog still open.
    void openRefusesMissingFile() {
        QtCommonDialog dialog(&m_window);
        dialog.Flags = 0x1000;
        dialog.CancelError = true;
        dialog.InitDir = local(m_folder.path());
        dialog.FileName = "summary.txt";
        ModalAnswer<QFileDialog> cancel(typeAndReject);
        const DialogResult cancelled = dialog.ShowOpen();
        QCOMPARE(cancelled.outcome, Outcome::Cancelled);
        QCOMPARE(cancelled.errorNumber, 32755);
        QCOMPARE(dialog.FileName, std::string("summary.txt"));

        ModalAnswer<QMessageBox> notice([](QMessageBox* box) { box->accept(); });
        ModalAnswer<QFileDialog> open([&](QFileDialog* shown) {
            typeAndAccept(shown, "missing.txt");
            typeAndAccept(shown, "summary.txt");
        });
        QCOMPARE(dialog.ShowOpen().outcome, Outcome::Accepted);
        QVERIFY(cancel.answered() && notice.answered() && open.answered());
        QCOMPARE(dialog.FileName, local(m_folder.filePath("summary.txt")));
    }

    // 4227072 = 0x00408000 is red 0, green 128, blue 64, in both directions.
    void colorRoundTripsBgr() {
        QtCommonDialog dialog(&m_window);
        dialog.Color = 4227072;
        QColor opened;
        ModalAnswer<QColorDialog> cancel([&](QColorDialog* shown) {
            opened = shown->currentColor();
            shown->setCurrentColor(Qt::white);
            shown->reject();
        });
        QCOMPARE(dialog.ShowColor().outcome, Outcome::Cancelled);
        QCOMPARE(opened, QColor(0, 128, 64));
        QCOMPARE(dialog.Color, 4227072);

        dialog.Color = 0;
        ModalAnswer<QColorDialog> pick([](QColorDialog* shown) {
            shown->setCurrentColor(QColor(0, 128, 64));
            shown->accept();
        });
        QCOMPARE(dialog.ShowColor().outcome, Outcome::Accepted);
        QVERIFY(cancel.answered() && pick.answered());
        QCOMPARE(dialog.Color, 4227072);
    }

    void font_data() {
        QTest::addColumn<bool>("change");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("changed, confirmed") << true << true;
        QTest::newRow("untouched, confirmed") << false << true;
        QTest::newRow("changed, cancelled") << true << false;
    }

    // The preset family is not installed: confirmed untouched, its name comes
    // back rather than the substitute the combo box shows, and 8.25 unrounded.
    void font() {
        QFETCH(bool, change);
        QFETCH(bool, confirm);
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
            confirm ? shown->accept() : shown->reject();
        });
        QCOMPARE(dialog.ShowFont().outcome, confirm ? Outcome::Accepted : Outcome::Cancelled);
        QVERIFY(answer.answered());
        const bool changed = change && confirm;
        QCOMPARE(dialog.FontName, changed ? local(chosenFamily) : "Wavemark Missing Sans");
        QCOMPARE(dialog.FontSize, changed ? 12.5 : 8.25);
        QCOMPARE(dialog.FontBold, !changed);
        QCOMPARE(dialog.FontItalic, changed);
        QCOMPARE(dialog.FontUnderline, !changed);
        QCOMPARE(dialog.FontStrikethru, changed);
        QCOMPARE(dialog.Color, changed ? 0x001E140A : 4227072);
    }

private:
    QTemporaryDir m_folder;
    QWidget m_window;
};

QTEST_MAIN(QtCommonDialogTest)
#include "QtCommonDialogTest.moc"
