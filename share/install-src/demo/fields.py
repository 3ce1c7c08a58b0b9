"""Field texts as the program writes them, and the record files of the former DOS version."""
import os
from decimal import Decimal, ROUND_HALF_UP

W_DOS_STATE = [2, 2, 2, 12, 25, 3, 3, 10, 3, 14, 14]
W_DOS_TURN = [3, 2, 2, 2, 2, 2, 2, 10, 6, 5, 4, 12, 25, 3, 3, 10, 5, 8, 10, 3, 14, 14, 30]
W_DOS_DP = [3, 30, 1]
W_DOS_MS = [3, 30, 6]
W_DOS_MATER = [12, 25, 3, 3]

# Windows-1250 to Kamenicky for the letters the data use.
KAMENICKY = {
    0xC8: 0x80, 0xE9: 0x82, 0xEF: 0x83, 0xCF: 0x85, 0x8D: 0x86, 0xE8: 0x87, 0xEC: 0x88,
    0xCC: 0x89, 0xC5: 0x8A, 0xCD: 0x8B, 0xBE: 0x8C, 0xE5: 0x8D, 0xC1: 0x8F, 0xC9: 0x90,
    0x9E: 0x91, 0x8E: 0x92, 0xF4: 0x93, 0xD3: 0x95, 0xF9: 0x96, 0xDA: 0x97, 0xFD: 0x98,
    0x8A: 0x9B, 0xBC: 0x9C, 0xDD: 0x9D, 0xD8: 0x9E, 0x9D: 0x9F, 0xE1: 0xA0, 0xED: 0xA1,
    0xF3: 0xA2, 0xFA: 0xA3, 0xF2: 0xA4, 0xD2: 0xA5, 0xD9: 0xA6, 0xD4: 0xA7, 0x9A: 0xA8,
    0xF8: 0xA9, 0xE0: 0xAA, 0xC0: 0xAB, 0xA7: 0xAD,
}


# ---------------------------------------------------------------------------------------------
# Numbers and texts as the program writes them

def fmt(width, decimals, value):
    """Number as a field text: rounded half away from zero, decimal comma, zero as blanks."""
    d = decimals
    while True:
        q = Decimal(value).quantize(Decimal(1).scaleb(-d), rounding=ROUND_HALF_UP)
        s = f'{q:.{d}f}'.replace('.', ',')
        if len(s) <= width or d == 0:
            break
        d -= 1
    if q == 0:
        return ' ' * width
    return s.rjust(width)


def num(text):
    """Field text to number: first comma is the decimal point, other characters dropped."""
    t = text.replace(',', '.', 1)
    t = ''.join(c for c in t if c.isdigit() or c in '-.')
    return Decimal(t) if t not in ('', '-', '.') else Decimal(0)


def pad(text, width):
    return text[:width].ljust(width)


def key_bytes(fields):
    return b''.join(f.encode('cp1250') for f in fields)


def write_tsv(path, records):
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        for r in records:
            f.write('\t'.join(r) + '\n')


def kamenicky(text):
    out = bytearray()
    for b in text.encode('cp1250'):
        if b >= 0x80 and b not in KAMENICKY:
            raise ValueError('no Kamenicky letter for %r in %r' % (bytes([b]), text))
        out.append(KAMENICKY.get(b, b))
    return bytes(out)


def write_tbu(path, widths, records):
    """Tbu record file: a header record (record length at offset 12), then one record per
    row: a status byte, the fields in their widths, CR LF."""
    reclen = 1 + sum(widths) + 2
    head = bytearray(reclen)
    head[0:4] = b'TBU\x1a'
    head[4:8] = len(records).to_bytes(4, 'little')
    head[8:10] = len(widths).to_bytes(2, 'little')
    head[10:12] = (1).to_bytes(2, 'little')
    head[12:14] = reclen.to_bytes(2, 'little')
    data = [bytes(head)]
    for r in records:
        assert len(r) == len(widths), r
        body = b''.join(kamenicky(pad(v, w)) for v, w in zip(r, widths))
        data.append(b' ' + body + b'\r\n')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(b''.join(data))


def dos_state(rec):
    # DOS fields: the three units, material, text, prefix, group, price, unit, quantity, value.
    q, v = num(rec[11]), num(rec[12])
    return rec[2:11] + [fmt(14, 3, q), fmt(14, 2, v)]


def dos_turnover(rec):
    day = rec[11]
    date = day[8:10] + day[3:5] + day[0:2]
    return [rec[6], rec[2], rec[3], rec[4], rec[7], rec[8], rec[9], rec[10], date, rec[5],
            str(int(rec[13])).rjust(4), rec[14], rec[15], rec[16], rec[17], rec[19], rec[18],
            rec[20], rec[21], rec[22], fmt(14, 3, num(rec[23])), fmt(14, 2, num(rec[24])),
            rec[25]]


def opening_from_dos(dos_records, year):
    """What the DOS import makes of a DOS state file named after month 00 of `year`."""
    recs = []
    for d in dos_records:
        if not d[9].strip() and not d[10].strip():
            continue
        rec = ['%02d' % year, '00'] + [pad(v, w) for v, w in zip(d[:9], W_DOS_STATE)]
        rec[7] = rec[5][:3]
        rec += [fmt(16, 3, num(d[9])), fmt(15, 2, num(d[10]))]
        recs.append(rec)
    recs.sort(key=lambda r: key_bytes(r[2:8]))
    return recs
