"""Decodes a candump log read from standard input with a DBC file, as a user of python-can and
canmatrix would, and prints one JSON line per frame:
    {"message": NAME or null, "values": {SIGNAL: "physical value"}, "labels": {SIGNAL: "text"}}
labels holds the value-table text of the signals that have one. A DBC that canmatrix reads with
any complaint ends the run with exit code 1.

Usage: dbc_decode.py FILE.dbc < TRACE.log
"""

import contextlib
import io
import json
import logging
import sys

# canmatrix warns on import of every optional format whose library is missing; none is used here.
logging.getLogger("canmatrix").addHandler(logging.NullHandler())

import can  # noqa: E402
import canmatrix  # noqa: E402
import canmatrix.formats  # noqa: E402


class ComplaintCounter(logging.Handler):
    def __init__(self):
        super().__init__(logging.WARNING)
        self.complaints = []

    def emit(self, record):
        self.complaints.append(record.getMessage())


def load_strictly(path):
    # canmatrix logs a line it cannot read, or prints it, and goes on without it.
    counter = ComplaintCounter()
    logging.getLogger("canmatrix").addHandler(counter)
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        db = canmatrix.formats.loadp_flat(path)
    complaints = counter.complaints + printed.getvalue().splitlines()
    if db is None or complaints:
        sys.exit("%s: %s" % (path, "; ".join(complaints) or "not read"))
    return db


def decoded(db, message):
    frame = db.frame_by_id(
        canmatrix.ArbitrationId(message.arbitration_id, extended=message.is_extended_id))
    if frame is None:
        return {"message": None, "values": {}, "labels": {}}
    signals = frame.decode(message.data)
    return {
        "message": frame.name,
        "values": {name: str(s.phys_value) for name, s in signals.items()},
        "labels": {name: s.named_value for name, s in signals.items() if s.signal.values},
    }


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    db = load_strictly(sys.argv[1])
    for message in can.CanutilsLogReader(sys.stdin):
        print(json.dumps(decoded(db, message)))


if __name__ == "__main__":
    main()
