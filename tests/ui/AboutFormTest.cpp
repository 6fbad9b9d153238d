#include "AboutForm.h"
#include "Links.h"
#include "PathParts.h"
#include "WindowFixture.h"
#include "WindowFonts.h"

#include <QLabel>
#include <QStyleFactory>

using namespace wavemark;
using namespace wavemark::test;

using Calls = std::vector<std::string>;

class AboutFormTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        InstallWindowFonts();
        m_window.start(); // the first start shows the About window
        m_window.window->aboutForm()->close();
    }

    void oneWindowNotModal() {
        m_window.click("Command2");
        AboutForm* about = m_window.window->aboutForm();
        m_window.click("Command2");
        m_window.click("Label2");
        m_window.click("Label3");
        QCOMPARE(m_window.window->findChildren<AboutForm*>().size(), qsizetype{1});
        QCOMPARE(m_window.window->aboutForm(), about);
        QVERIFY(about->isVisible() && !about->isModal());
        QCOMPARE(about->parentWidget(), m_window.window.get());
        QCOMPARE(about->size(), QSize(492, 283));
        about->close();
    }

    // The main window's pictures and the About window's links open their
    // pages; the rights notice does nothing and any other click closes.
    void clicks() {
        m_window.shell.calls.clear();
        m_window.click("Image1");
        m_window.click("Image2");
        QCOMPARE(m_window.shell.calls,
                 (Calls{"address https://www.netstumbler.com/", "address https://www.gpstm.com/"}));
        for (const char* control :
             {"Frame1", "Image1", "Image2", "Label1", "Label2", "Label3", "Label5", "Label7"}) {
            QVERIFY2(!clickStaysOpen(control) && m_window.shell.calls.empty(), control);
        }
        QVERIFY(clickStaysOpen("Label8") && m_window.shell.calls.empty());
        QCOMPARE(showAbout()->findChild<QLabel*>("Label9")->text(), QString(kContactMail));
        const std::string mail = std::string("mailto:") + kContactMail;
        for (const auto& [control, page] : {std::pair{"Label4", "https://www.netstumbler.com/"},
                                            {"Label6", "https://www.gpstm.com/"},
                                            {"Label9", mail.c_str()}}) {
            QVERIFY2(clickStaysOpen(control), control);
            QCOMPARE(m_window.shell.calls, Calls{"address " + std::string(page)});
        }
    }

    // A key that types a character closes, Enter and Escape included.
    void keys() {
        const std::tuple<Qt::Key, const char*, bool> rows[] = {
            {Qt::Key_A, "a", true},       {Qt::Key_Escape, "\x1b", true},
            {Qt::Key_Return, "\r", true}, {Qt::Key_Right, "", false},
            {Qt::Key_F5, "", false},
        };
        for (const auto& [key, typed, closes] : rows) {
            AboutForm* about = showAbout();
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(typed));
            QApplication::sendEvent(about, &event);
            QVERIFY2(about->isVisible() != closes, qPrintable(QString::number(key, 16)));
            about->close();
        }
    }

    // The saved file goes to the shell as a document in its folder, else it
    // is started as a program; when that fails too the user is told, and the
    // window goes on.
    void openingTheSavedFile() {
        const std::pair<const char*, const char*> rows[] = {
            {"/maps/survey.gtm", "document survey.gtm in /maps"},
            {"/maps///survey.gtm", "document survey.gtm in /maps"},
            {"survey.gtm", "document survey.gtm in "},
            {"//survey.gtm", "document survey.gtm in /"}};
        for (const auto& [path, call] : rows) {
            FakeShell shell;
            QVERIFY(OpenAppl(shell, path));
            QCOMPARE(shell.calls, Calls{call});
        }
        FakeShell shell;
        shell.documentsOpen = false;
        shell.programsStart = true;
        QVERIFY(OpenAppl(shell, "/maps/survey.gtm"));
        QCOMPARE(shell.calls.back(), std::string("program /maps/survey.gtm"));
        QCOMPARE(SplitForOpenDialog("/logs/"), (PathParts{"/logs", ""}));
        QCOMPARE(SplitForOpenDialog(""), (PathParts{"", ""}));

        m_window.shell.calls.clear();
        m_window.shell.documentsOpen = false;
        auto* notice = m_window.control<QWidget>("Label_Status(1)");
        notice->show();
        QTest::mouseDClick(notice, Qt::LeftButton);
        QVERIFY(m_window.shell.calls.empty());
        notice->hide();
        m_window.control<QWidget>("Label_Status(2)")->show();
        QTest::mouseDClick(m_window.control<QWidget>("Label_Status(2)"), Qt::LeftButton);
        QCOMPARE(m_window.shell.calls.size(), size_t{2});
        QCOMPARE(m_window.messages.shown.back().text,
                 std::string("The file could not be opened:\r\n") + m_window.window->gtmFilePath());
        QVERIFY(m_window.window->isVisible());
    }

private:
    AboutForm* showAbout() {
        m_window.shell.calls.clear();
        m_window.window->showAbout();
        return m_window.window->aboutForm();
    }
    bool clickStaysOpen(const char* control) {
        AboutForm* about = showAbout();
        QTest::mouseClick(about->findChild<QWidget*>(control), Qt::LeftButton, {}, QPoint(2, 2));
        const bool open = about->isVisible();
        about->close();
        return open;
    }

    WindowFixture m_window;
};

QTEST_MAIN(AboutFormTest)
#include "AboutFormTest.moc"
