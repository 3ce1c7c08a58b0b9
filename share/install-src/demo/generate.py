#!/usr/bin/env python3
"""Demo data set of SarW: Strojírny Morava, a.s. with two plants.

Writes, from the codebooks and the demo lists beside this script:
  OUT/tsv/Mater.tsv                      material codebook (Mater.Def)
  OUT/tsv/<name>.tsv                     state and turnover tables of LSarW\\Data (SarS/SarO.Def)
  OUT/SarDos/...                         the data of the former DOS version (Tbu record files,
                                         Kamenicky code page)

The movements are made the way the document entry makes them, and the states the way the
monthly closing computes them, so that the program, run over the same documents, comes to the
same figures:
  * A movement type whose first character is "5" or above is an issue (counts negative).
  * Receipts: unit price typed (2 decimals), value = price x quantity rounded to cents.
  * Issues: the unit price is the stock's value / quantity (2 decimals) at the time; value =
    price x quantity, except that issuing the whole stock takes the whole stock value.
  * Follow-on documents per GenPoh.Def: 500 -> 100 O, 520 -> 100 O, 620 O; numbered from 90001
    within year, month and the counterpart unit; the source carries the first follow-on number.
  * Closing a month: states at the end = opening states + receipts - issues, summed per year,
    month, plant, management unit, cost centre and material; a state whose quantity and value
    are both zero is dropped; the unit price is value / quantity with 2 decimals (empty when the
    quantity is zero); records ordered by those keys, text fields padded to their widths.
  * The opening state of 26 01 (file 2600) is what the DOS import makes of SarS2600.Dat.
Numbers: right-aligned, decimal comma, rounded half away from zero, zero written as blanks.

Usage: generate.py SRC OUT   (SRC is share/install-src)
"""
import os
import sys

from company import DOS_MONTHS, LAST_DAY, SARW_MONTHS, Company
from fields import (W_DOS_DP, W_DOS_MATER, W_DOS_MS, W_DOS_STATE, W_DOS_TURN, dos_state,
                    dos_turnover, opening_from_dos, write_tbu, write_tsv)

COMPANY = '01'


def main():
    src, out = sys.argv[1], sys.argv[2]
    tsv = os.path.join(out, 'tsv')
    dos = os.path.join(out, 'SarDos')
    os.makedirs(tsv, exist_ok=True)
    co = Company(src)
    co.initial_stock()

    write_tsv(os.path.join(tsv, 'Mater.tsv'),
              [[m.number, m.name, m.prefix, m.group, m.unit] for m in co.materials])
    write_tbu(os.path.join(dos, 'PomSoub', 'DP.Dat'), W_DOS_DP, co.dp)
    write_tbu(os.path.join(dos, 'PomSoub', 'Ms.Dat'), W_DOS_MS, co.groups)
    write_tbu(os.path.join(dos, 'PomSoub', 'Mater.Dat'), W_DOS_MATER,
              [[m.number, m.name, m.group, m.unit] for m in co.materials])

    # The DOS version's last months: states at the end of each month and its turnovers.
    y, m = DOS_MONTHS[0]
    start = co.state_records(y, m - 1)
    write_tbu(os.path.join(dos, 'SarS%02d%02d.Dat' % (y, m - 1)), W_DOS_STATE,
              [dos_state(r) for r in start])
    dos_end = None
    for y, m in DOS_MONTHS:
        month = co.run_month(y, m)
        recs = [dos_turnover(r) for r in month.records]
        # The DOS version kept remarks as items without a material; the import skips them.
        if m == 11:
            first = recs[0]
            remark = first[:10] + [str(int(first[10]) + 90).rjust(4), '', '', '', '', '', '',
                                   '', '', '', '', '', 'Dodací list převzat bez výhrad']
            recs.insert(1, remark)
        write_tbu(os.path.join(dos, 'Sar%02d%02d.Dat' % (y, m)), W_DOS_TURN, recs)
        dos_end = [dos_state(r) for r in co.state_records(y, m)]
        write_tbu(os.path.join(dos, 'SarS%02d%02d.Dat' % (y, m)), W_DOS_STATE, dos_end)
    # The opening state of the first year in SarW, as the DOS version handed it over.
    first_year = SARW_MONTHS[0][0]
    write_tbu(os.path.join(dos, 'SarS%02d00.Dat' % first_year), W_DOS_STATE, dos_end)
    write_tsv(os.path.join(tsv, '%02d00%sSarS.tsv' % (first_year, COMPANY)),
              opening_from_dos(dos_end, first_year))

    for y, m in SARW_MONTHS:
        month = co.run_month(y, m)
        write_tsv(os.path.join(tsv, '%02d%02d%sSarO.tsv' % (y, m, COMPANY)), month.records)
        if (y, m) not in LAST_DAY:
            write_tsv(os.path.join(tsv, '%02d%02d%sSarS.tsv' % (y, m, COMPANY)),
                      co.state_records(y, m))


if __name__ == '__main__':
    main()
