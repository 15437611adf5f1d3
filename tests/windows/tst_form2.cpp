#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "windows/form2.h"

using namespace Qt::StringLiterals;

class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void closeDiscardsThePath();
};

void TestForm2::closeDiscardsThePath()
{
    QWidget mainWindow;
    QPointer<windows::Form2> form = new windows::Form2(&mainWindow);
    form->ROMLBL->setText(u"/images/song.smc"_s);
    QVERIFY(form->ROMLBL->isHidden());
    form->open();
    auto *close = form->findChild<QPushButton *>(u"CloseCMD"_s);
    QVERIFY(close);
    QCOMPARE(close->text(), u"&Close"_s);
    QTest::mouseClick(close, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
