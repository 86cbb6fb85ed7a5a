#pragma once
// Start and Stop of a log as the program's session does them, with what belongs to each: the
// state in force into the new events record, the held events before the files close.

#include <QString>

class TLogControl
{
public:
    virtual ~TLogControl() = default;
    // False with the message when the log could not start.
    virtual bool StartLogging(QString *error) = 0;
    // False with the message when a file did not close whole; closed either way.
    virtual bool StopLogging(QString *error) = 0;
};
