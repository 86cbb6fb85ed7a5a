#pragma once
// Reads a raw trace file frame by frame, whichever of the formats other CAN tools write it is
// in: a candump log (can-utils, python-can, this program), a Vector ASC trace (python-can,
// can-utils' log2asc), or a PCAN-View trace (.trc, versions 1.0 to 1.3 and 2.x). The format is
// told by the file's first lines, not by its name. Files of any size are read in blocks of a
// fixed size, so that memory stays small whatever the file holds, even a line without end.

#include "trace/uTraceFrame.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <memory>

enum class TTraceFormat { Candump, Asc, Trc };

// A place between two lines of a trace, with what the lines before it said (a start date, a
// number base, the columns): reading can go on from there without them.
struct TTracePlace {
    qint64 Offset = 0;      // bytes from the file's start
    qint64 LineNumber = 0;  // of the line before
    std::shared_ptr<const TTraceLines> Rules;
};

class TTraceReader
{
public:
    // Line numbers of damaged lines kept for the report; the count goes on past it.
    static constexpr int KeptDamagedLines = 1000;
    // The block read at once; a longer line is damaged.
    static constexpr qsizetype BlockSize = 1 << 20;

    TTraceReader();
    ~TTraceReader();

    // False with the message when the file cannot be opened or is in no known format. An
    // empty file is a candump log without frames.
    bool Open(const QString &path, QString *error);
    TTraceFormat Format() const { return m_format; }

    // The next frame; false at the end of the file or when reading fails (Error() says).
    // Headers, comments, events, error frames and CAN FD frames are passed over in silence;
    // a line that should be a frame but cannot be read is counted as damaged and passed over.
    bool Next(TTraceFrame &frame);

    // After the line read last.
    TTracePlace Place() const;
    // Reads on from a place this file gave. False when the file cannot be read there; Error()
    // says why.
    bool Resume(const TTracePlace &place);

    qint64 LineNumber() const { return m_lineNumber; }  // of the line read last, from 1
    qint64 DamagedCount() const { return m_damagedCount; }
    const QList<qint64> &DamagedLines() const { return m_damagedLines; }  // the first ones
    qint64 BytesRead() const { return m_consumed; }                       // for progress: of Size()
    qint64 Size() const { return m_size; }
    const QString &Error() const { return m_error; }

private:
    enum class TLine { Read, TooLong, End };
    TLine NextLine(QByteArrayView &line);
    bool Fill();
    void CountDamaged();

    QFile m_file;
    std::unique_ptr<TTraceLines> m_lines;
    TTraceFormat m_format = TTraceFormat::Candump;
    QByteArray m_buffer;    // BlockSize bytes
    qsizetype m_begin = 0;  // the part of the buffer not yet handed out: m_begin..m_end
    qsizetype m_end = 0;
    bool m_atEnd = false;       // nothing more to read into the buffer
    bool m_inLongLine = false;  // passing over the rest of a line longer than a block
    qint64 m_consumed = 0;      // bytes of the lines handed out
    qint64 m_size = 0;          // of the file when opened
    qint64 m_lineNumber = 0;
    qint64 m_damagedCount = 0;
    QList<qint64> m_damagedLines;
    QString m_error;
};
