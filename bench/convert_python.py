"""The way other CAN tools turn a trace into a CSV, for scale beside `convert`: python-can's
reader, canmatrix decoding the units' DBC and Python's csv writer, the log's production columns.
Without the DBC the frames are decoded by hand with struct.unpack, and the output says so.

    /usr/bin/python3 bench/convert_python.py TRACE DBC OUT.csv
Prints one line: frames, seconds, frames per second."""

import csv
import logging
import struct
import sys
import time

import can

trace, dbc, out = sys.argv[1:4]
started = time.perf_counter()
processor = time.process_time()
logging.getLogger('canmatrix').setLevel(logging.ERROR)  # the formats it lacks, on import
try:
    import canmatrix.formats
    matrix = canmatrix.formats.loadp_flat(dbc)
    frames_by_id = {f.arbitration_id.id: f for f in matrix.frames}
    decoder = 'canmatrix'
except (ImportError, OSError):
    frames_by_id = None
    decoder = 'struct.unpack (no DBC at %s)' % dbc

PRODUCTION, CHASSIS = 0x18FECE47, 0x18FECF10


def by_hand(ident, data):
    if ident == CHASSIS:
        return {'VehicleSpeed': struct.unpack_from('<H', data)[0] / 256}
    status, tilt_x, tilt_y, acc_x, acc_y, ltr = struct.unpack('>BHHBBB', data)
    return {'Status': status, 'TiltX': tilt_x / 100 - 90, 'TiltY': tilt_y / 100 - 90,
            'AccX': (acc_x - 100) / 100, 'AccY': (acc_y - 100) / 100, 'LTR': ltr / 100}


def decode(ident, data):
    if frames_by_id is None:
        return by_hand(ident, data)
    return {name: signal.phys_value
            for name, signal in frames_by_id[ident].decode(data).items()}


count = 0
records = 0
speed = 0.0
with open(out, 'w', newline='', encoding='cp1250') as file:
    writer = csv.writer(file, delimiter=';', lineterminator='\r\n')
    writer.writerow(['LP', 'GODZINA', 'PREDKOSC LINIOWA [km/h]', 'PREDKOSC KATOWA [°/s]',
                     'KAT X1 [°]', 'KAT Y1 [°]', 'PRZYSP X1 [g]', 'PRZYSP Y1 [g]', 'STATUS1',
                     'LTR1'])
    for message in can.LogReader(trace):
        count += 1
        if not message.is_rx or message.arbitration_id not in (PRODUCTION, CHASSIS):
            continue
        values = decode(message.arbitration_id, bytes(message.data))
        if message.arbitration_id == CHASSIS:
            speed = values['VehicleSpeed']
            continue
        records += 1
        writer.writerow([records, time.strftime('%H:%M:%S', time.localtime(message.timestamp)),
                         '%.2f' % speed, '0.00', '%.2f' % values['TiltX'],
                         '%.2f' % values['TiltY'], '%.2f' % values['AccX'],
                         '%.2f' % values['AccY'], '%02X' % int(values['Status']),
                         '%.3f' % values['LTR']])
seconds = time.perf_counter() - started
processor_seconds = time.process_time() - processor
print('python-can + %s + csv: %d frames in %.2f s, %d frames/s (%.2f s of processor time, '
      '%d frames/s), %d records' % (decoder, count, seconds, count / seconds, processor_seconds,
                                    count / processor_seconds, records))
