#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// An image file in a temporary folder of its own: zeros of the given length,
// with the bytes a test plants at their offsets.
class TestImage
{
public:
    explicit TestImage(qint64 size = 1 << 20, const QString &fileName = QStringLiteral("image.smc"))
        : m_path(m_dir.filePath(fileName))
    {
        setContents(QByteArray(size, '\0'));
    }

    QString path() const { return m_path; }
    QString folder() const { return m_dir.path(); }

    void setContents(const QByteArray &bytes)
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QByteArray contents() const
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    void plant(qint64 offset, quint8 value) { plant(offset, QByteArray(1, char(value))); }

    void plant(qint64 offset, const QByteArray &bytes)
    {
        QByteArray all = contents();
        all.replace(offset, bytes.size(), bytes);
        setContents(all);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// Slot k of song s of a table: the byte at base + 32 s + 2k.
inline qint64 slotAt(qint64 tableBase, int song, int slot)
{
    return tableBase + 32 * qint64(song) + 2 * slot;
}
