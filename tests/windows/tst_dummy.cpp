#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "windows/dummy.h"
#include "windows/songlines.h"

using namespace Qt::StringLiterals;

class TestDummy : public QObject
{
    Q_OBJECT

private slots:
    void songLines_data();
    void songLines();
    void songLinesEndInCrLf();
    void generateAppends_data();
    void generateAppends();
    void closeEndsTheProgram();
    void returnPressesTheFocusedButtonOnly();
};

void TestDummy::songLines_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("1st") << 1 << u"[0] - Song #1"_s;
    QTest::newRow("10th") << 10 << u"[9] - Song #10"_s;
    QTest::newRow("16th") << 16 << u"[F] - Song #16"_s;
    QTest::newRow("17th") << 17 << u"[10] - Song #17"_s;
    QTest::newRow("92nd") << 92 << u"[5B] - Song #92"_s;
}

void TestDummy::songLines()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList lines = windows::placeholderSongLines().split(u"\r\n"_s);
    QCOMPARE(lines.value(line - 1), text);
}

void TestDummy::songLinesEndInCrLf()
{
    const QString text = windows::placeholderSongLines();
    QCOMPARE(text.size(), 1539);
    QCOMPARE(text.count(u"\r\n"_s), 92);
    QCOMPARE(text.count(u'\r'), 92);
    QCOMPARE(text.count(u'\n'), 92);
    QVERIFY(text.endsWith(u"Song #92\r\n"_s));
}

void TestDummy::generateAppends_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("clicks");
    QTest::newRow("one click, empty box") << QString() << 1;
    QTest::newRow("two clicks, empty box") << QString() << 2;
    // Nothing is emptied and no line break is put in front.
    QTest::newRow("one click after typed text") << u"typed\nby hand"_s << 1;
}

void TestDummy::generateAppends()
{
    QFETCH(QString, before);
    QFETCH(int, clicks);

    windows::Dummy dummy(nullptr);
    dummy.DummyTXT->setPlainText(before);
    for (int click = 0; click < clicks; ++click)
        QTest::mouseClick(dummy.GenerateIndexesTXT, Qt::LeftButton);

    // The box keeps each CR LF as one line break.
    QString lines = windows::placeholderSongLines();
    lines.replace(u"\r\n"_s, u"\n"_s);
    QCOMPARE(dummy.DummyTXT->toPlainText(), before + lines.repeated(clicks));
    if (before.isEmpty())
        QCOMPARE(dummy.DummyTXT->toPlainText().count(u'\n'), 92 * clicks);
}

void TestDummy::closeEndsTheProgram()
{
    windows::Dummy dummy(nullptr);
    QSignalSpy quit(&dummy, &windows::Dummy::quitRequested);
    QTest::mouseClick(dummy.GenerateIndexesTXT, Qt::LeftButton);
    QCOMPARE(quit.size(), 0);
    QTest::mouseClick(dummy.CloseCMD, Qt::LeftButton);
    QCOMPARE(quit.size(), 1);
}

void TestDummy::returnPressesTheFocusedButtonOnly()
{
    windows::Dummy dummy(nullptr);
    dummy.show();
    QVERIFY(QTest::qWaitForWindowActive(&dummy));
    QSignalSpy quit(&dummy, &windows::Dummy::quitRequested);
    // In the text box Return is a line break, and the window presses nothing.
    QTest::keyClick(dummy.DummyTXT, Qt::Key_Return);
    QTest::keyClick(&dummy, Qt::Key_Return);
    QCOMPARE(dummy.DummyTXT->toPlainText(), u"\n"_s);
    QCOMPARE(quit.size(), 0);

    QTest::keyClick(dummy.GenerateIndexesTXT, Qt::Key_Return);
    QCOMPARE(dummy.DummyTXT->toPlainText().count(u'\n'), 1 + 92);
    QTest::keyClick(dummy.CloseCMD, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(quit.size(), 1);
}

QTEST_MAIN(TestDummy)
#include "tst_dummy.moc"
