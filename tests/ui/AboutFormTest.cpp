#include "AboutForm.h"
#include "Links.h"
#include "PathParts.h"
#include "WindowFixture.h"
#include "WindowFonts.h"

#include <QLabel>
#include <QStyleFactory>

using namespace wavemark;
using namespace wavemark::test;

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

    void clicks_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("opens");
        for (const char* name :
             {"Frame1", "Image1", "Image2", "Label1", "Label2", "Label3", "Label5", "Label7"}) {
            QTest::newRow(name) << name << true << QString();
        }
        QTest::newRow("rights notice") << "Label8" << false << QString();
        QTest::newRow("source home page") << "Label4" << false << "https://www.netstumbler.com/";
        QTest::newRow("target home page") << "Label6" << false << "https://www.gpstm.com/";
        QTest::newRow("mail") << "Label9" << false << QStringLiteral("mailto:%1").arg(kContactMail);
    }

    void clicks() {
        QFETCH(QString, control);
        QFETCH(bool, closes);
        QFETCH(QString, opens);
        AboutForm* about = showAbout();
        auto* target = about->findChild<QWidget*>(control);
        QVERIFY(target);
        if (control == "Label9") {
            QCOMPARE(qobject_cast<QLabel*>(target)->text(), QString(kContactMail));
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(about->isVisible(), !closes);
        const std::vector<std::string> expected =
            opens.isEmpty() ? std::vector<std::string>{}
                            : std::vector<std::string>{"address " + opens.toStdString()};
        QCOMPARE(m_window.shell.calls, expected);
        about->close();
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter") << int(Qt::Key_A) << "a" << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b" << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << true;
        QTest::newRow("arrow") << int(Qt::Key_Right) << "" << false;
        QTest::newRow("function key") << int(Qt::Key_F5) << "" << false;
    }

    void keys() {
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(bool, closes);
        AboutForm* about = showAbout();
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, typed);
        QApplication::sendEvent(about, &event);
        QCOMPARE(about->isVisible(), !closes);
        about->close();
    }

    void mainWindowLinks() {
        m_window.shell.calls.clear();
        m_window.click("Image1");
        m_window.click("Image2");
        QCOMPARE(m_window.shell.calls,
                 (std::vector<std::string>{"address https://www.netstumbler.com/",
                                           "address https://www.gpstm.com/"}));
    }

    void openAppl_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << "/maps/survey.gtm"
                               << "survey.gtm"
                               << "/maps";
        QTest::newRow("trailing separators") << "/maps///survey.gtm"
                                             << "survey.gtm"
                                             << "/maps";
        QTest::newRow("no separator") << "survey.gtm"
                                      << "survey.gtm"
                                      << "";
        QTest::newRow("root keeps its separator") << "//survey.gtm"
                                                  << "survey.gtm"
                                                  << "/";
    }

    void openAppl() {
        QFETCH(QString, path);
        QFETCH(QString, file);
        QFETCH(QString, folder);
        FakeShell shell;
        QVERIFY(OpenAppl(shell, path.toStdString()));
        QCOMPARE(shell.calls, std::vector<std::string>{"document " + file.toStdString() + " in " +
                                                       folder.toStdString()});
    }

    // The saved file is started as a program when it cannot be opened; when
    // that fails too the user is told, and the window goes on.
    void openingTheSavedFileFails() {
        FakeShell shell;
        shell.documentsOpen = false;
        shell.programsStart = true;
        QVERIFY(OpenAppl(shell, "/maps/survey.gtm"));
        QCOMPARE(shell.calls.back(), std::string("program /maps/survey.gtm"));

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

    void pathSplitForTheOpenDialog() {
        QCOMPARE(SplitForOpenDialog("/logs/summary.txt"), (PathParts{"/logs", "summary.txt"}));
        QCOMPARE(SplitForOpenDialog("/logs/"), (PathParts{"/logs", ""}));
        QCOMPARE(SplitForOpenDialog(""), (PathParts{"", ""}));
    }

private:
    AboutForm* showAbout() {
        m_window.shell.calls.clear();
        m_window.window->showAbout();
        return m_window.window->aboutForm();
    }

    WindowFixture m_window;
};

QTEST_MAIN(AboutFormTest)
#include "AboutFormTest.moc"
