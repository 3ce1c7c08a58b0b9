"""The demo company: its units, materials and stock, and the documents of one month."""
import datetime
import os
import random
from decimal import Decimal, ROUND_HALF_UP

from fields import fmt, num, pad, key_bytes

DOS_MONTHS = [(25, 10), (25, 11), (25, 12)]
SARW_MONTHS = [(26, 1), (26, 2)]
LAST_DAY = {(26, 2): 18}          # the current month is still being entered
INVENTORY_MONTHS = {(25, 12), (26, 1)}
HOLIDAYS = {(10, 28), (11, 17), (12, 24), (12, 25), (12, 26), (1, 1)}

W_TURN = [2, 2, 2, 2, 2, 5, 3, 2, 2, 2, 10, 10, 5, 4, 12, 25, 3, 3, 5, 10, 8, 10, 3, 16, 15, 30]

Q2 = Decimal('0.01')

# ---------------------------------------------------------------------------------------------
# Input lists

def read_tsv(path, header=False):
    with open(path, encoding='utf-8') as f:
        rows = [line.rstrip('\n').split('\t') for line in f if line.strip()]
    return rows[1:] if header else rows


class Material:
    def __init__(self, number, name, group, unit, price):
        self.number, self.name, self.group, self.unit = number, name, group, unit
        self.price = Decimal(price)
        self.prefix = number[:3]
        self.whole = unit in ('KS', 'PAR', 'BAL', 'ROL', 'KRT', 'SAD')


class Unit:
    def __init__(self, plant, mu, cc, name, role, activity, account):
        self.code = (plant, mu, cc)
        self.name, self.role, self.activity, self.account = name, role, activity, account
        self.materials = []
        self.orders = 0


# ---------------------------------------------------------------------------------------------
# The company's stock and documents

class Stock:
    """Quantity and value per unit and material, as the current states have them."""

    def __init__(self):
        self.items = {}

    def get(self, unit, mat):
        return self.items.get((unit, mat.number), (Decimal(0), Decimal(0)))

    def add(self, unit, mat, qty, value):
        q, v = self.get(unit, mat)
        self.items[(unit, mat.number)] = (q + qty, v + value)

    def price_text(self, unit, mat):
        """Unit price of the stock list: value / quantity of the current state."""
        q, v = self.get(unit, mat)
        qt, vt = fmt(16, 3, q), fmt(15, 2, v)
        if not qt.strip():
            return ''
        return fmt(10, 2, num(vt) / num(qt))


class Month:
    def __init__(self, year, month):
        self.year, self.month = year, month
        self.records = []
        self.numbers = {}        # (unit, follow-on?) -> last number

    def next_number(self, unit, follow_on=False):
        key = (unit, follow_on)
        n = self.numbers.get(key, 90000 if follow_on else 0) + 1
        self.numbers[key] = n
        return '%05d' % n


class Company:
    def __init__(self, src):
        self.rng = random.Random(20260218)
        demo = os.path.join(src, 'demo')
        cis = os.path.join(src, 'codebooks')
        self.materials = [Material(*r) for r in read_tsv(os.path.join(demo, 'materials.tsv'), True)]
        self.by_number = {m.number: m for m in self.materials}
        self.units = [Unit(*r) for r in read_tsv(os.path.join(demo, 'units.tsv'), True)]
        self.unit = {u.code: u for u in self.units}
        self.suppliers = [r[0] for r in read_tsv(os.path.join(demo, 'Dodav.tsv'))]
        self.customers = [r[0] for r in read_tsv(os.path.join(demo, 'Odber.tsv'))]
        self.dp = read_tsv(os.path.join(cis, 'DP.tsv'))
        self.groups = read_tsv(os.path.join(cis, 'MatSk.tsv'))
        self.stock = Stock()
        self.assortments()

    # Which materials each unit keeps.
    USES = {
        '01 01 01': ['010', '050', '070', '080', '090'],
        '01 01 02': ['010', '020', '070', '090'],
        '01 01 03': ['030', '040', '080', '090'],
        '01 02 01': ['030', '040', '050', '070', '090'],
        '01 02 02': ['040', '050', '070'],
        '02 01 01': ['020', '050', '070', '090'],
        '02 01 02': ['060', '050', '090', '100'],
    }
    SUPPLIER_GROUPS = {
        '20001': ['010', '020'], '20002': ['010', '020'], '20003': ['030'], '20004': ['040'],
        '20005': ['050'], '20006': ['060'], '20007': ['070'], '20008': ['080'],
        '20009': ['090'], '20010': ['100'], '20011': ['070'],
    }

    def assortments(self):
        rng = self.rng
        scrap = [m for m in self.materials if m.name.startswith('Šrot')]
        self.scrap = scrap[0]
        for u in self.units:
            key = ' '.join(u.code)
            if u.role == 'sklad' and u.code[0] == '01':
                u.materials = list(self.materials)
            elif u.role == 'sklad':
                u.materials = [m for m in self.materials
                               if m is not self.scrap and rng.random() < 0.5]
            else:
                pool = [m for m in self.materials
                        if m.group in self.USES[key] and m is not self.scrap]
                u.materials = rng.sample(pool, min(len(pool), rng.randint(22, 34)))
                u.materials.sort(key=lambda m: m.number)
        self.store = {'01': self.unit[('01', '03', '01')], '02': self.unit[('02', '02', '01')]}

    # Quantities -------------------------------------------------------------------------------

    def lot(self, mat, target):
        """A quantity worth about `target` euros, in the material's usual steps."""
        q = Decimal(target) / mat.price
        if mat.whole or q >= 50:
            q = q.quantize(Decimal(1), rounding=ROUND_HALF_UP)
            if q >= 100:
                q = (q / 10).quantize(Decimal(1), rounding=ROUND_HALF_UP) * 10
        else:
            q = q.quantize(Decimal('0.5'), rounding=ROUND_HALF_UP)
        return max(q, Decimal(1))

    def purchase_price(self, mat):
        p = mat.price * Decimal(self.rng.uniform(0.94, 1.09))
        return max(p.quantize(Q2, rounding=ROUND_HALF_UP), Q2)

    # Opening stock ------------------------------------------------------------------------------

    def initial_stock(self):
        rng = self.rng
        for u in self.units:
            for m in u.materials:
                if u.role == 'sklad':
                    if m is self.scrap:
                        continue
                    q = self.lot(m, rng.uniform(150, 1400))
                else:
                    if rng.random() < 0.25:
                        continue
                    q = self.lot(m, rng.uniform(20, 160))
                v = (q * m.price * Decimal(rng.uniform(0.96, 1.04))).quantize(
                    Q2, rounding=ROUND_HALF_UP)
                self.stock.add(u.code, m, q, v)

    # Documents ----------------------------------------------------------------------------------

    def doc_header(self, month, unit, number, dtype, counter, text, day, link):
        return [
            '%02d' % month.year, '%02d' % month.month, *unit, number, dtype, *counter,
            pad(text, 10), day.strftime('%d.%m.%Y'), link,
        ]

    def receipt_item(self, unit, mat, qty, price, codes=('', '', ''), text=''):
        price_text = fmt(10, 2, price)
        value_text = fmt(15, 2, num(price_text) * qty)
        # A receipt takes text, prefix, group and unit from the material codebook.
        return [mat.number.ljust(12), mat.name, mat.prefix, mat.group,
                codes[0].rjust(5, '0') if codes[0] else ' ' * 5, pad(codes[1], 10),
                pad(codes[2], 8), price_text, mat.unit, fmt(16, 3, qty), value_text,
                pad(text, 30)]

    def issue_item(self, unit, mat, qty, codes=('', '', ''), text=''):
        # An issue takes them from the unit's stock list (state texts, padded).
        price_text = self.stock.price_text(unit, mat)
        stock_q, stock_v = self.stock.get(unit, mat)
        if qty == stock_q:
            value_text = fmt(15, 2, stock_v)
        else:
            value_text = fmt(15, 2, num(price_text) * qty)
        return [mat.number.ljust(12), pad(mat.name, 25), mat.prefix, mat.group,
                codes[0].rjust(5, '0') if codes[0] else ' ' * 5, pad(codes[1], 10),
                pad(codes[2], 8), price_text.strip().rjust(10), pad(mat.unit, 3),
                fmt(16, 3, qty), value_text, pad(text, 30)]

    def post(self, month, header, items):
        """Appends a document's records and moves the stock."""
        issue = header[6][0] >= '5'
        unit = tuple(header[2:5])
        for i, item in enumerate(items, 1):
            rec = header + ['%04d' % i] + item
            assert len(rec) == 26 and all(len(v) <= w for v, w in zip(rec, W_TURN)), rec
            month.records.append(rec)
            mat = self.by_number[item[0].strip()]
            q, v = num(item[9]), num(item[10])
            self.stock.add(unit, mat, -q if issue else q, -v if issue else v)

    def document(self, month, day, unit, dtype, counter, text, lines, follow=()):
        """A document with its follow-on documents (saved with "Ulozeni dokladu")."""
        number = month.next_number(unit)
        link = '00000'
        if follow:
            link = month.next_number(counter, True)
        header = self.doc_header(month, unit, number, dtype, counter, text, day, link)
        self.post(month, header, lines)
        n = link
        for i, t in enumerate(follow):
            last = i == len(follow) - 1
            nxt = '00000' if last else '%05d' % (int(n) + 1)
            if not last:
                month.numbers[(counter, True)] = int(n) + 1
            fh = self.doc_header(month, counter, n, t, counter, text, day, nxt)
            # A follow-on document carries the source's items as they are.
            self.post(month, fh, [list(line) for line in lines])
            n = nxt

    # What happens on a working day ------------------------------------------------------------

    def issue_lines(self, unit, mats, share, codes=('', '', ''), text=''):
        rng = self.rng
        lines = []
        for m in mats:
            q, _ = self.stock.get(unit, m)
            if q <= 0 or not self.stock.price_text(unit, m).strip():
                continue
            if rng.random() < 0.12 or q <= 1:
                take = q
            else:
                take = q * Decimal(rng.uniform(*share))
                take = take.quantize(Decimal(1) if m.whole or take >= 20 else Decimal('0.5'),
                                     rounding=ROUND_HALF_UP)
                take = min(max(take, Decimal(1)), q)
            lines.append(self.issue_item(unit, m, take, codes, text))
        return lines

    def pick(self, mats, k):
        k = min(k, len(mats))
        return sorted(self.rng.sample(mats, k), key=lambda m: m.number) if k else []

    def purchases(self, month, day, store):
        rng = self.rng
        supplier = rng.choice(self.suppliers)
        groups = self.SUPPLIER_GROUPS[supplier]
        pool = [m for m in store.materials if m.group in groups and m is not self.scrap]
        if supplier == '20011':
            pool = [m for m in pool if m.name.startswith('Láhev') or m.name.startswith('Drát')]
        # Mostly what runs short.
        low = [m for m in pool if self.stock.get(store.code, m)[0] * m.price < 400]
        mats = self.pick(low or pool, rng.randint(2, 7))
        invoice = 'Fa %02d%02d-%04d' % (month.year, month.month, rng.randint(100, 9999))
        lines = [self.receipt_item(store.code, m, self.lot(m, rng.uniform(300, 1800)),
                                   self.purchase_price(m), ('', '', supplier), invoice)
                 for m in mats]
        if lines:
            self.document(month, day, store.code, '110', store.code, 'Příjemka', lines)

    def transfer(self, month, day, store, centre, dtype='500', follow=('100',)):
        rng = self.rng
        limit = 400 if centre.role == 'sklad' else 150
        mats = [m for m in centre.materials
                if self.stock.get(store.code, m)[0] > 0 and
                self.stock.get(centre.code, m)[0] * m.price < limit]
        mats = self.pick(mats, rng.randint(2, 6) if dtype == '500' else rng.randint(1, 3))
        codes = ('', '', '')
        if dtype == '520':
            centre.orders += 1
            codes = (centre.activity, '%02d%02d%03d' % (month.year, month.month, centre.orders),
                     centre.account)
        lines = self.issue_lines(store.code, mats, (0.08, 0.3), codes)
        if lines:
            text = 'Převodka' if dtype == '500' else 'Do výroby'
            self.document(month, day, store.code, dtype, centre.code, text, lines, follow)

    def consumption(self, month, day, centre):
        rng = self.rng
        held = [m for m in centre.materials if self.stock.get(centre.code, m)[0] > 0]
        mats = self.pick(held, rng.randint(1, 4))
        order = ''
        if centre.role == 'vyroba':
            centre.orders += 1
            order = '%02d%02d%03d' % (month.year, month.month, centre.orders)
        lines = self.issue_lines(centre.code, mats, (0.3, 0.8),
                                 (centre.activity, order, centre.account))
        if lines:
            self.document(month, day, centre.code, '510', centre.code, 'Výdejka', lines)

    def return_to_stock(self, month, day, centre):
        held = [m for m in centre.materials if self.stock.price_text(centre.code, m).strip()]
        if not held:
            return
        m = self.rng.choice(held)
        price = num(self.stock.price_text(centre.code, m))
        qty = self.lot(m, self.rng.uniform(10, 60))
        line = self.receipt_item(centre.code, m, qty, price,
                                 (centre.activity, '', centre.account), 'Nespotřebováno')
        self.document(month, day, centre.code, '130', centre.code, 'Vratka', [line])

    def scrap_receipt(self, month, day):
        store = self.store['01']
        qty = Decimal(self.rng.randrange(300, 1500, 10))
        line = self.receipt_item(store.code, self.scrap, qty, Decimal('0.25'),
                                 ('10100', '', '581000'), 'Odpad z lisovny')
        self.document(month, day, store.code, '120', store.code, 'Příjem odp', [line])

    def sale(self, month, day):
        store = self.store['01']
        q, _ = self.stock.get(store.code, self.scrap)
        if q <= 0:
            return
        line = self.issue_item(store.code, self.scrap, q, ('', '', '10001'),
                               'Faktura %02d1%05d' % (month.year, self.rng.randint(1, 99999)))
        self.document(month, day, store.code, '530', store.code, 'Prodej', [line])

    def inventory(self, month, day):
        store = self.store['01']
        rng = self.rng
        held = [m for m in store.materials if self.stock.get(store.code, m)[0] > 20]
        text = 'Inventura ' + day.strftime('%d.%m.%Y')
        for dtype in ('140', '540'):
            mats = self.pick(held, 2)
            if dtype == '140':
                lines = [self.receipt_item(store.code, m, Decimal(rng.randint(1, 5)),
                                           num(self.stock.price_text(store.code, m)),
                                           ('', '', '648000'), text) for m in mats]
            else:
                lines = [self.issue_item(store.code, m, Decimal(rng.randint(1, 4)),
                                         ('', '', '549000'), text) for m in mats]
            self.document(month, day, store.code, dtype, store.code, 'Inventura', lines)

    def write_off(self, month, day):
        unit = self.unit[('01', '02', '01')]
        held = [m for m in unit.materials if m.group == '070' and
                self.stock.get(unit.code, m)[0] > 0]
        lines = self.issue_lines(unit.code, self.pick(held, 2), (0.2, 0.5),
                                 (unit.activity, '', '549000'), 'Opotřebené, nepoužitelné')
        if lines:
            self.document(month, day, unit.code, '550', unit.code, 'Likvidace', lines)

    def run_month(self, year, month_no):
        rng = self.rng
        month = Month(year, month_no)
        first = datetime.date(2000 + year, month_no, 1)
        days = []
        d = first
        while d.month == month_no:
            if (d.weekday() < 5 and (d.month, d.day) not in HOLIDAYS and
                    d.day <= LAST_DAY.get((year, month_no), 31)):
                days.append(d)
            d += datetime.timedelta(days=1)
        closes = (year, month_no) not in LAST_DAY
        centres = {p: [u for u in self.units if u.code[0] == p and u.role != 'sklad']
                   for p in ('01', '02')}
        for i, day in enumerate(days):
            for plant, store in self.store.items():
                if rng.random() < (0.6 if plant == '01' else 0.35):
                    self.purchases(month, day, store)
            if i == 3:
                self.transfer(month, day, self.store['01'], self.store['02'])
            for plant, store in self.store.items():
                for _ in range(rng.randint(1, 2) if plant == '01' else rng.randint(0, 1)):
                    self.transfer(month, day, store, rng.choice(centres[plant]))
            if i % 5 == 2:
                plant = rng.choice(['01', '02'])
                prod = [c for c in centres[plant] if c.role == 'vyroba']
                self.transfer(month, day, self.store[plant], rng.choice(prod), '520',
                              ('100', '620'))
            for c in centres['01'] + centres['02']:
                if rng.random() < 0.4:
                    self.consumption(month, day, c)
                elif c.role == 'vyroba' and rng.random() < 0.02:
                    self.return_to_stock(month, day, c)
            if i % 5 == 4:
                self.scrap_receipt(month, day)
            if i % 10 == 8:
                self.sale(month, day)
            if i == 12 and month_no == 1:
                self.write_off(month, day)
        if closes and (year, month_no) in INVENTORY_MONTHS:
            self.inventory(month, days[-1])
        return month

    # States ---------------------------------------------------------------------------------------

    def state_records(self, year, month_no):
        """The states at the end of a month as the monthly closing writes them."""
        recs = []
        for (unit, number), (q, v) in self.stock.items.items():
            qt, vt = fmt(16, 3, q), fmt(15, 2, v)
            if not qt.strip() and not vt.strip():
                continue
            m = self.by_number[number]
            price = '' if not qt.strip() else fmt(10, 2, num(vt) / num(qt))
            recs.append(['%02d' % year, '%02d' % month_no, *unit, pad(m.number, 12),
                         pad(m.name, 25), pad(m.prefix, 3), pad(m.group, 3), price,
                         pad(m.unit, 3), qt, vt])
        recs.sort(key=lambda r: key_bytes(r[:9] + [r[10]]))
        return recs
