#include "recordingsoundplayer.h"
#include "testfiles.h"
#include "ui/qtsoundplayer.h"
#include "ui/sound.h"

#include <QtTest>

#include <QAudioDevice>
#include <QDir>
#include <QMediaDevices>
#include <QTemporaryDir>

namespace {

// A wave file of silence: 8 kHz, 8 bits, mono.
QByteArray waveFile(int seconds)
{
    const quint32 samples = 8000u * quint32(seconds);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(8000) << quint16(1) << quint16(8);
    out.writeRawData("data", 4);
    out << samples;
    bytes.append(QByteArray(samples, char(0x80)));
    return bytes;
}

} // namespace

class TestSound : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void soundCallsReachThePlayer_data();
    void soundCallsReachThePlayer();
    void messageBeepSoundsTheAlertAndReturnsOne();
    void waveOutGetNumDevsCountsTheAudioOutputs();
    void alertSoundOnlyWhenNoWaveFileIsFound_data();
    void alertSoundOnlyWhenNoWaveFileIsFound();
    void playWaveFileReturnsWhileTheSoundPlays();
    void newSoundCutsOffTheOneBefore();

private:
    QString m_startDirectory;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSound::init()
{
    m_startDirectory = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("sub")));
}

void TestSound::cleanup()
{
    QDir::setCurrent(m_startDirectory);
    m_dir.reset();
}

void TestSound::soundCallsReachThePlayer_data()
{
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("playSound stops first") << QStringList{"playSound ja.wav"} << QStringList{"stop", "play ja.wav"};
    QTest::newRow("a new sound cuts off the one before")
        << QStringList{"playSound ja.wav", "playSound no.wav"}
        << QStringList{"stop", "play ja.wav", "stop", "play no.wav"};
    QTest::newRow("stopSound") << QStringList{"stopSound"} << QStringList{"stop"};
    QTest::newRow("playWaveFile only plays") << QStringList{"playWaveFile jaa.wav"} << QStringList{"play jaa.wav"};
    QTest::newRow("file name passed unchanged")
        << QStringList{"playSound Töne/NOO.WAV"} << QStringList{"stop", "play Töne/NOO.WAV"};
}

void TestSound::soundCallsReachThePlayer()
{
    QFETCH(QStringList, calls);
    QFETCH(QStringList, events);

    RecordingSoundPlayer player;
    int beeps = 0;
    Sound sound(player, [&beeps] { ++beeps; });
    for (const QString& call : calls) {
        const QString name = call.section(QLatin1Char(' '), 0, 0);
        const QString file = call.section(QLatin1Char(' '), 1);
        if (name == QLatin1String("playSound"))
            sound.playSound(file);
        else if (name == QLatin1String("stopSound"))
            sound.stopSound();
        else if (name == QLatin1String("playWaveFile"))
            sound.playWaveFile(file);
        else
            QFAIL(qPrintable(call));
    }
    QCOMPARE(player.events, events);
    QCOMPARE(beeps, 0);
}

void TestSound::messageBeepSoundsTheAlertAndReturnsOne()
{
    RecordingSoundPlayer player;
    int beeps = 0;
    Sound sound(player, [&beeps] { ++beeps; });
    QCOMPARE(sound.messageBeep(0), 1);
    QCOMPARE(beeps, 1);
    QCOMPARE(sound.messageBeep(48), 1);
    QCOMPARE(beeps, 2);
    QVERIFY(player.events.isEmpty());
}

void TestSound::waveOutGetNumDevsCountsTheAudioOutputs()
{
    RecordingSoundPlayer player;
    Sound sound(player);
    QCOMPARE(sound.waveOutGetNumDevs(), int(QMediaDevices::audioOutputs().size()));
}

void TestSound::alertSoundOnlyWhenNoWaveFileIsFound_data()
{
    QTest::addColumn<QString>("currentDirectory");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("plays");
    QTest::addColumn<int>("beeps");

    // The temporary folder holds ja.wav, bad.wav (not a wave file), a folder named folder.wav and sub/.
    QTest::newRow("wave file in the current directory") << "" << "ja.wav" << 1 << 0;
    QTest::newRow("wave file twice") << "" << "ja.wav" << 2 << 0;
    QTest::newRow("missing file") << "" << "noo.wav" << 1 << 1;
    QTest::newRow("missing file twice") << "" << "noo.wav" << 2 << 2;
    QTest::newRow("name looked up in the current directory only") << "sub" << "ja.wav" << 1 << 1;
    QTest::newRow("name with a folder") << "sub" << "../ja.wav" << 1 << 0;
    QTest::newRow("not a wave file") << "" << "bad.wav" << 1 << 1;
    QTest::newRow("not a wave file twice") << "" << "bad.wav" << 2 << 2;
    QTest::newRow("a folder, not a file") << "" << "folder.wav" << 1 << 1;
}

void TestSound::alertSoundOnlyWhenNoWaveFileIsFound()
{
    QFETCH(QString, currentDirectory);
    QFETCH(QString, fileName);
    QFETCH(int, plays);
    QFETCH(int, beeps);

    const QDir dir(m_dir->path());
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("ja.wav")), waveFile(1)));
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("bad.wav")), QByteArrayLiteral("no wave in here")));
    QVERIFY(dir.mkdir(QStringLiteral("folder.wav")));
    QVERIFY(QDir::setCurrent(dir.filePath(currentDirectory)));

    int alerts = 0;
    QtSoundPlayer player([&alerts] { ++alerts; });
    for (int i = 0; i < plays; ++i) {
        player.play(fileName);
        // A file that is there but no wave file shows only once it has been read.
        QTRY_VERIFY(!player.isLoading());
    }
    QCOMPARE(alerts, beeps);
    player.stop();
}

void TestSound::playWaveFileReturnsWhileTheSoundPlays()
{
    // Ten minutes of sound: a call that waited for the end would run into the test's time limit.
    QVERIFY(TestFiles::write(QDir(m_dir->path()).filePath(QStringLiteral("long.wav")), waveFile(600)));
    QVERIFY(QDir::setCurrent(m_dir->path()));
    int alerts = 0;
    QtSoundPlayer player([&alerts] { ++alerts; });
    Sound sound(player);

    sound.playWaveFile(QStringLiteral("long.wav"));
    QVERIFY(player.isPlaying());
    QTRY_VERIFY(!player.isLoading());
    QVERIFY(player.isPlaying());
    QCOMPARE(alerts, 0);

    sound.stopSound();
    QVERIFY(!player.isPlaying());
}

void TestSound::newSoundCutsOffTheOneBefore()
{
    const QDir dir(m_dir->path());
    QVERIFY(TestFiles::write(dir.filePath(QStringLiteral("long.wav")), waveFile(600)));
    QVERIFY(QDir::setCurrent(m_dir->path()));
    int alerts = 0;
    QtSoundPlayer player([&alerts] { ++alerts; });
    Sound sound(player);

    sound.playSound(QStringLiteral("long.wav"));
    QTRY_VERIFY(!player.isLoading());
    QVERIFY(player.isPlaying());
    // The next sound's file is missing: the long sound stops and only the alert is heard.
    sound.playSound(QStringLiteral("noo.wav"));
    QVERIFY(!player.isPlaying());
    QCOMPARE(alerts, 1);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
