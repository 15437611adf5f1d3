#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "games/version.h"
#include "windows/about.h"

using namespace Qt::StringLiterals;

namespace {

QString makerScheme()
{
    return windows::makerHomePage().scheme();
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

public slots:
    // Stands in for the desktop's browser.
    void openUrl(const QUrl &url) { m_opened.append(url); }

private slots:
    void cleanup();
    void programInformationText();
    void rebuiltAtEveryShowing();
    void linkOpensHomePage_data();
    void linkOpensHomePage();

private:
    // Shown the way the main window shows it: window-modal, deleted on close.
    windows::About *showAbout();

    QList<QUrl> m_opened;
    QWidget m_mainWindow;
};

windows::About *TestAbout::showAbout()
{
    auto *about = new windows::About(&m_mainWindow);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowModality(Qt::WindowModal);
    about->open();
    return about;
}

void TestAbout::cleanup()
{
    QDesktopServices::unsetUrlHandler(makerScheme());
    m_opened.clear();
}

void TestAbout::programInformationText()
{
    // CR LF between lines and none after the last; "Updated:" with three
    // blanks, "Special thanks: " with its trailing blank, revision not minor.
    const QString head = u"Released: 10/29/2006\r\n"
                         u"Updated:   5/7/2011\r\n"
                         u"Version: %1.%2a\r\n"
                         u"\r\n"
                         u"Special thanks: \r\n"_s.arg(games::VERSION_MAJOR)
                             .arg(games::VERSION_REVISION);
    QVERIFY(head.contains(u"\r\nVersion: 0.99a\r\n"_s)); // the project's version 0.0.99

    const QString text = windows::programInformation();
    QVERIFY2(text.startsWith(head), qPrintable(text));
    const QStringList credits = text.mid(head.size()).split(u"\r\n"_s);
    QCOMPARE(credits.size(), 5);
    for (const QString &name : credits) {
        QVERIFY(!name.trimmed().isEmpty());
        QVERIFY(!name.contains(u'\r') && !name.contains(u'\n'));
    }
}

void TestAbout::rebuiltAtEveryShowing()
{
    m_mainWindow.show();
    const QString expected = windows::programInformation();
    for (int showing = 0; showing < 2; ++showing) {
        QPointer<windows::About> about = showAbout();
        QVERIFY(about->isVisible());
        const QPoint offCentre = about->geometry().center() - m_mainWindow.geometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2); // odd sizes round by a pixel
        QCOMPARE(about->ProgramInfoLBL->text(), expected);
        // "&Close" is the only control that takes the focus.
        QCOMPARE(about->focusWidget(), about->CloseCMD);
        QTest::keyClick(about->CloseCMD, Qt::Key_Space);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }
}

void TestAbout::linkOpensHomePage_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("opened");
    QTest::newRow("left button") << Qt::LeftButton << 1;
    QTest::newRow("right button") << Qt::RightButton << 0;
}

void TestAbout::linkOpensHomePage()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, opened);

    const QUrl home = windows::makerHomePage();
    QVERIFY(home.isValid());
    QVERIFY(home.host().endsWith(u"example.org"_s) || home.host().endsWith(u"example.com"_s));
    QDesktopServices::setUrlHandler(makerScheme(), this, "openUrl");

    m_mainWindow.show();
    QPointer<windows::About> about = showAbout();
    QVERIFY(about->URLLBL->text() != home.toString());
    QTest::mouseClick(about->URLLBL, button);

    QCOMPARE(m_opened.size(), opened);
    if (opened)
        QCOMPARE(m_opened.first(), home);
    // Opening the page leaves the About window open.
    QVERIFY(!about.isNull());
    QVERIFY(about->isVisible());
    about->close();
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
