#include <array>

#include <QCryptographicHash>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "catalogues/catalogue.h"
#include "catalogues/fill.h"
#include "games/gameprofile.h"
#include "games/songindex.h"
#include "main/form1.h"
#include "main/listcombo.h"
#include "tests/fakelist.h"
#include "tests/testimage.h"

using namespace Qt::StringLiterals;
using games::GameProfile;
using games::SLOT_COUNT;

namespace {

const GameProfile &game(const QString &token)
{
    return *games::profileFor(token.toStdString());
}

// The main window after a game choice on an image of zeros (region byte 1).
struct Chosen {
    explicit Chosen(const QString &token)
    {
        file.plant(games::REGION_CODE_OFFSET, 1);
        form.setImageChooser([this](QWidget *) { return file.path(); });
        choose(token);
    }

    void choose(const QString &token) { form.gameOption(game(token).optionName)->click(); }

    QStringList songs() const { return items(*form.SongIndexCBO); }
    QStringList samples(int slot) const { return items(*form.sampleList(slot)); }

    static QStringList items(const ListCombo &list)
    {
        QStringList texts;
        for (int i = 0; i < list.ListCount(); ++i)
            texts << list.List(i);
        return texts;
    }

    TestImage file;
    Form1 form;
};

QByteArray digest(const QStringList &texts)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &text : texts)
        hash.addData((text + u'\n').toUtf8());
    return hash.result().toHex();
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void listsHoldTheGamesTexts_data();
    void listsHoldTheGamesTexts();
    void bracketsHoldTheirPositions();
    void fillsReplaceWhateverTheListsHeld_data();
    void fillsReplaceWhateverTheListsHeld();
    void textsKeepEveryCharacter();
    void repeatedNamesKeepTheirOwnNumbers_data();
    void repeatedNamesKeepTheirOwnNumbers();
    void lastInstrumentIsTheLastByteShown_data();
    void lastInstrumentIsTheLastByteShown();
    void generatedFillsLetEventsRunAfterEachItem_data();
    void generatedFillsLetEventsRunAfterEachItem();
    void songFillSelectsSongZeroAndSampleFillSelectsLast();
};

void TestCatalogues::listsHoldTheGamesTexts_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("songs");
    QTest::addColumn<int>("samples");
    QTest::addColumn<QString>("firstSong");
    QTest::addColumn<QString>("lastSong");
    QTest::addColumn<QString>("firstSample");
    QTest::addColumn<QString>("lastSample");
    // SHA-1 of every text in order, each followed by a line feed, as UTF-8:
    // taken from the games' published lists, apart from the program's own.
    QTest::addColumn<QByteArray>("songsDigest");
    QTest::addColumn<QByteArray>("samplesDigest");
    QTest::newRow("FF5") << "FF5" << 72 << 36 << "Ahead on Our Way" << "the tide rolls in" << "Nothing" << "Clap"
                         << QByteArray("c7305a5941f9b4fdd3b2bf0067492f58fa93e4f0")
                         << QByteArray("973a319b6cb83e2122b2c1a861e31def5875ef71");
    QTest::newRow("SD2") << "SD2" << 64 << 33 << "[00] Into the Thick of It" << "[3F] A Conclusion (wtf?)" << "Nothing"
                         << "Metal Bang (?)"
                         << QByteArray("e7f29664edd8a93dd5b2239ec6921c3d7c60bfc8")
                         << QByteArray("9dba66c2305ecda0575f84ceea26be09b79b1ecd");
    QTest::newRow("MQ") << "MQ" << 27 << 19 << "[00] Silence" << "[1A] The Crystal" << "Nothing" << "Wood Block"
                        << QByteArray("c195de5752f360fdc24cd2aa619e660021bdc370")
                        << QByteArray("731ee8b65286ab068d97e6dc909ec21c4e6983cf");
    QTest::newRow("FF4") << "FF4" << 56 << 23 << "[00] Nothing" << "[37] Ending Part 3" << "[00] Nothing"
                         << "[16] Chocobo"
                         << QByteArray("30db45985196482725512bbf65947879af9bec21")
                         << QByteArray("9e669969a2382d1e72881a9141f3ef8ba170c51d");
    QTest::newRow("FF6") << "FF6" << 85 << 64 << "[00] - Silence" << "[54] - 3.15 Ending Theme 2" << "Nothing"
                         << "Crowd noise"
                         << QByteArray("889e11c6284a83eeb34482a9118bb82155b70ae4")
                         << QByteArray("fdfb1ef4e42c9d3de2c5f6fb147ea977c9cc73b4");
    QTest::newRow("RS2") << "RS2" << 51 << 38 << "Silence" << "Ending Theme" << "Nothing" << "Breath?"
                         << QByteArray("a56c35a9724d4e265c42ed972ed41b58605581b6")
                         << QByteArray("11ba475c8763ac5b3d89391e08ada0e20fc7dd4a");
    QTest::newRow("RS3") << "RS3" << 92 << 83 << "[00] Silence" << "[5B] " << "Nothing" << "Unknown SFX"
                         << QByteArray("af973e036de6a1c59b320eba4203f31596abc4aa")
                         << QByteArray("282076b8b8b5bbec52733d526a61ec1cb32ebe26");
    QTest::newRow("CT") << "CT" << 83 << 62 << "[00] - 0.00 Silence" << "[52] - 3.01 Singing Mountain" << "Nothing"
                        << "?"
                        << QByteArray("cb09f4b6fbc5b0f1e6c8df8ee644f86f885725dc")
                        << QByteArray("30eb9ceb7b545d08663e8be713069d7f7e7a3943");
    QTest::newRow("BSDT") << "BSDT" << 31 << 50 << "[00] - Silence" << "[1E] - Song #31" << "Sample #1"
                          << "Sample #50"
                          << QByteArray("302c786d950d5eb4e9695cff88f42de7cd8c67bf")
                          << QByteArray("50e634456f374a6cee6beea6da5b1e6a92cb1417");
    QTest::newRow("BSRD") << "BSRD" << 24 << 42 << "[00] - Silence" << "[17] - Whirlwind (ambient)" << "Sample #1"
                          << "Sample #42"
                          << QByteArray("bd95dab1ade5a999d6ca34cd4329e8853215f0a5")
                          << QByteArray("c3366d11235bf3d50ab3b8a364aa66949cbfbc6a");
    QTest::newRow("BSTC") << "BSTC" << 14 << 24 << "[00] - Silence" << "[0D] - Song #14" << "Sample #1"
                          << "Sample #24"
                          << QByteArray("2bd984be5387e1ab29d6a1a88c6617c651b52452")
                          << QByteArray("1816759fb8d83bb9bb6a02cb2b829646270e9d14");
}

void TestCatalogues::listsHoldTheGamesTexts()
{
    QFETCH(QString, token);
    QFETCH(int, songs);
    QFETCH(int, samples);
    QFETCH(QString, firstSong);
    QFETCH(QString, lastSong);
    QFETCH(QString, firstSample);
    QFETCH(QString, lastSample);
    QFETCH(QByteArray, songsDigest);
    QFETCH(QByteArray, samplesDigest);

    QCOMPARE(game(token).songCount, songs);
    QCOMPARE(game(token).sampleCount, samples);
    Chosen window(token);
    const QStringList titles = window.songs();
    QCOMPARE(titles.size(), songs);
    QCOMPARE(titles.first(), firstSong);
    QCOMPARE(titles.last(), lastSong);
    QCOMPARE(window.form.SongIndexCBO->ListIndex(), 0);
    const QStringList names = window.samples(0);
    QCOMPARE(names.size(), samples);
    QCOMPARE(names.first(), firstSample);
    QCOMPARE(names.last(), lastSample);
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        QCOMPARE(window.samples(slot), names); // one list serves all thirteen slots
        QCOMPARE(window.form.sampleList(slot)->ListIndex(), 0);
    }
    // Every position of both lists: a name moved, swapped or retyped shows here.
    QVERIFY2(digest(titles) == songsDigest, qPrintable(token + u": the song list differs"_s));
    QVERIFY2(digest(names) == samplesDigest, qPrintable(token + u": the instrument list differs"_s));
}

void TestCatalogues::bracketsHoldTheirPositions()
{
    // The lists whose texts start with their position in brackets, "[0B]".
    const QList<std::pair<QString, bool>> bracketed = {
        {u"SD2"_s, false}, {u"MQ"_s, false}, {u"FF4"_s, false},  {u"FF4"_s, true},   {u"FF6"_s, false},
        {u"RS3"_s, false}, {u"CT"_s, false}, {u"BSDT"_s, false}, {u"BSRD"_s, false}, {u"BSTC"_s, false},
    };
    for (const auto &[token, instruments] : bracketed) {
        Chosen window(token);
        const QStringList texts = instruments ? window.samples(0) : window.songs();
        for (int position = 0; position < texts.size(); ++position) {
            int shown = position;
            if (token == u"CT"_s && (position == 14 || position == 15))
                shown = 29 - position; // stored with each other's number
            const QString bracket = u"[%1]"_s.arg(shown, 2, 16, QChar(u'0')).toUpper();
            QVERIFY2(texts[position].startsWith(bracket),
                     qPrintable(u"%1 %2 %3: %4"_s.arg(token, instruments ? u"instrument"_s : u"song"_s)
                                    .arg(position)
                                    .arg(texts[position])));
        }
    }
}

void TestCatalogues::fillsReplaceWhateverTheListsHeld_data()
{
    QTest::addColumn<QString>("token");
    for (const GameProfile &profile : games::GAME_PROFILES)
        QTest::newRow(profile.token.data()) << QString::fromLatin1(profile.token.data(), profile.token.size());
}

void TestCatalogues::fillsReplaceWhateverTheListsHeld()
{
    QFETCH(QString, token);
    // From "Dummy", from "Empty" after a cancelled choice, from another game
    // with more names, and from this game itself.
    Chosen reference(token);
    const QStringList songs = reference.songs();
    const QStringList samples = reference.samples(0);

    Chosen window(u"RS3"_s);
    window.form.setImageChooser([](QWidget *) { return QString(); });
    window.choose(token);
    QCOMPARE(window.songs(), songs);
    QCOMPARE(window.samples(12), samples);
    window.form.CloseROMCMD->click();
    QCOMPARE(window.samples(0), QStringList{u"Empty"_s});
    window.choose(token);
    window.choose(token == u"FF5"_s ? u"SD2"_s : u"FF5"_s);
    window.choose(token);
    QCOMPARE(window.songs(), songs);
    for (int slot = 0; slot < SLOT_COUNT; ++slot)
        QCOMPARE(window.samples(slot), samples);
}

void TestCatalogues::textsKeepEveryCharacter()
{
    Chosen rs3(u"RS3"_s);
    QCOMPARE(rs3.songs().value(0x1F), u"[1F] "_s); // number-only titles keep their blank
    QCOMPARE(rs3.songs().value(0x5B), u"[5B] "_s);

    Chosen rs2(u"RS2"_s);
    QCOMPARE(rs2.songs().value(8), u"Another Country 's Town"_s);
    QCOMPARE(rs2.songs().value(0), u"Silence"_s);
    QCOMPARE(rs2.songs().value(38), u"Silence"_s);
    QCOMPARE(rs2.songs().value(49), u"Silence"_s);

    Chosen bsrd(u"BSRD"_s);
    const QString tresor = bsrd.songs().value(0x15);
    QCOMPARE(tresor, u"[15] - Ending ~ Le Tr\u00E9sor Interdit"_s);
    QCOMPARE(tresor.size(), 34);

    // Chrono Trigger songs 14 and 15 carry each other's codes, as stored.
    Chosen ct(u"CT"_s);
    QCOMPARE(ct.songs().value(14), u"[0F] - 1.03 Morning Sunlight"_s);
    QCOMPARE(ct.songs().value(15), u"[0E] - 2.09 Robo's Theme"_s);

    Chosen ff5(u"FF5"_s);
    QCOMPARE(ff5.songs().value(0x11), u"...silence"_s);
    QCOMPARE(ff5.songs().value(0x20), u"Gilgamesh"_s);
    QCOMPARE(ff5.samples(0).value(0x18), u"Synth Cymbals (?)"_s);

    Chosen bstc(u"BSTC"_s);
    QCOMPARE(bstc.songs().value(4), u"[04] - Song #5"_s);
}

void TestCatalogues::repeatedNamesKeepTheirOwnNumbers_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("FF5 Bass Guitar") << "FF5" << "Bass Guitar" << QList<int>{0x14, 0x1B};
    QTest::newRow("RS2 Conga Drum") << "RS2" << "Conga Drum" << QList<int>{20, 24, 25, 29};
    QTest::newRow("CT Conga Drum") << "CT" << "Conga Drum" << QList<int>{1, 2, 3, 12, 13, 14};
    QTest::newRow("CT ?") << "CT" << "?" << QList<int>{60, 61};
    QTest::newRow("RS3 Unknown SFX") << "RS3" << "Unknown SFX"
                                     << QList<int>{0x36, 0x37, 0x3A, 0x3D, 0x43, 0x44, 0x4D, 0x50, 0x52};
}

void TestCatalogues::repeatedNamesKeepTheirOwnNumbers()
{
    QFETCH(QString, token);
    QFETCH(QString, name);
    QFETCH(QList<int>, positions);
    const GameProfile &profile = game(token);
    Chosen window(token);
    QList<int> found;
    const QStringList names = window.samples(0);
    for (int i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            found << i;
    }
    QCOMPARE(found, positions);

    // A stored byte selects its own copy of the name and is saved back unchanged.
    const int last = positions.last();
    window.file.plant(slotAt(profile.tableBase, 1, 4), quint8(last));
    window.form.SongIndexCBO->setCurrentIndex(1);
    QCOMPARE(window.form.sampleList(4)->ListIndex(), last);
    QCOMPARE(window.form.sampleList(4)->currentText(), name);
    window.file.plant(slotAt(profile.tableBase, 1, 4), quint8(0));
    window.form.SaveROMCMD->click();
    QCOMPARE(quint8(window.file.contents()[slotAt(profile.tableBase, 1, 4)]), quint8(last));
}

void TestCatalogues::lastInstrumentIsTheLastByteShown_data()
{
    fillsReplaceWhateverTheListsHeld_data();
}

void TestCatalogues::lastInstrumentIsTheLastByteShown()
{
    QFETCH(QString, token);
    const GameProfile &profile = game(token);
    const int n = profile.sampleCount;
    Chosen window(token);
    window.file.plant(slotAt(profile.tableBase, 2, 0), quint8(n - 1));
    window.file.plant(slotAt(profile.tableBase, 3, 0), quint8(n));
    window.form.SongIndexCBO->setCurrentIndex(2);
    QCOMPARE(window.form.sampleList(0)->ListIndex(), n - 1);
    if (profile.token.starts_with("BS"))
        QCOMPARE(window.form.sampleList(0)->currentText(), u"Sample #"_s + QString::number(n));
    QVERIFY(window.form.SaveROMCMD->isEnabled());
    window.form.SongIndexCBO->setCurrentIndex(3); // byte n has no entry
    QCOMPARE(window.form.sampleList(0)->ListIndex(), -1);
    QVERIFY(!window.form.SaveROMCMD->isEnabled());
}

void TestCatalogues::generatedFillsLetEventsRunAfterEachItem_data()
{
    fillsReplaceWhateverTheListsHeld_data();
}

void TestCatalogues::generatedFillsLetEventsRunAfterEachItem()
{
    QFETCH(QString, token);
    const catalogues::Catalogue &catalogue = *catalogues::catalogueFor(token.toStdString());
    std::array<FakeList, SLOT_COUNT> lists;
    std::array<games::ListControl *, SLOT_COUNT> targets{};
    for (int slot = 0; slot < SLOT_COUNT; ++slot) {
        lists[slot].AddItem(u"Dummy"_s);
        targets[slot] = &lists[slot];
    }
    int pumps = 0;
    int itemsSeenByLastPump = 0;
    catalogues::fillSampleLists(catalogue, targets, [&] {
        ++pumps;
        itemsSeenByLastPump = 0;
        for (const FakeList &list : lists) {
            QCOMPARE(list.index, -1); // nothing is selected while the fill runs
            itemsSeenByLastPump += int(list.items.size());
        }
    });
    const int n = game(token).sampleCount;
    QCOMPARE(pumps, catalogue.generatedSamples > 0 ? SLOT_COUNT * n : 0);
    if (catalogue.generatedSamples > 0)
        QCOMPARE(itemsSeenByLastPump, SLOT_COUNT * n); // one more after the very last item
    for (const FakeList &list : lists) {
        QCOMPARE(list.items.size(), n);
        QCOMPARE(list.index, 0);
        QCOMPARE(list.selections, 1);
    }
}

void TestCatalogues::songFillSelectsSongZeroAndSampleFillSelectsLast()
{
    FakeList songs;
    songs.AddItem(u"Dummy"_s);
    songs.setListIndex(0);
    catalogues::fillSongList(*catalogues::catalogueFor("MQ"), songs);
    QCOMPARE(songs.items.size(), 27);
    QCOMPARE(songs.index, 0);
    QCOMPARE(songs.selections, 2);
    QCOMPARE(catalogues::generatedSampleName(0), u"Sample #1"_s);
    QCOMPARE(catalogues::generatedSampleName(9), u"Sample #10"_s);
    QVERIFY(!catalogues::catalogueFor("XX"));
}

QTEST_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
