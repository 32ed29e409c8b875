#!/usr/bin/python3
"""Independent DBF peers for the table engine's tests: python3-dbf writes, python3-dbfread reads.

  dbfpeer.py read TABLE          every record as one JSON line, in file order:
                                 {"recno": n, "deleted": bool, "fields": {"NAME": value, ...},
                                  "values": [value, ...], "floats": [index, ...]}
                                 texts without trailing blanks, dates "YYYY-MM-DD", blank -> null;
                                 "values" in field order, "floats" the indexes of float values
  dbfpeer.py write TABLE CONTENT writes a dBASE III table (code page 850) with python3-dbf from a
                                 JSON file {"fields": "NAME C(30); ...", "records":
                                 [{"deleted": bool, "values": [...]}]}; dates as "YYYY-MM-DD"

Faults go to stderr with exit status 1.
"""
import datetime
import json
import sys


def read(path):
    import dbfread
    from dbfread.field_parser import FieldParser

    class Parser(FieldParser):
        # Some writers fill an empty date with NUL bytes; the engine reads that as an empty date,
        # dbfread would refuse it.
        def parseD(self, field, data):
            if data.strip(b' 0\0') == b'':
                return None
            return FieldParser.parseD(self, field, data)

        # The same for numbers filled with NUL bytes.
        def parseN(self, field, data):
            if data.strip(b' \0') == b'':
                return None
            return FieldParser.parseN(self, field, data)

    table = dbfread.DBF(path, encoding='cp850', parserclass=Parser, load=True, recfactory=list)
    # dbfread keeps live and deleted records apart; the record markers give back the file order.
    # dbfread reads on to the end mark even past the header's record count; like dBASE, we stop at
    # the count (some writers leave bytes behind the last record).
    markers = []
    with open(table.filename, 'rb') as f:
        f.seek(table.header.headerlen)
        while len(markers) < table.header.numrecords:
            marker = f.read(1)
            if marker in (b'\x1a', b''):
                break
            if marker in (b' ', b'*'):
                markers.append(marker == b'*')
            else:
                raise ValueError('record marker %r' % marker)
            f.seek(table.header.recordlen - 1, 1)
    live, deleted = iter(table.records), iter(table.deleted)

    def plain(value):
        if isinstance(value, (datetime.date, datetime.datetime)):
            return value.isoformat()[:10]
        if isinstance(value, bytes):
            raise ValueError('undecoded value %r' % value)
        return value

    out = sys.stdout
    for recno, is_deleted in enumerate(markers, start=1):
        record = next(deleted) if is_deleted else next(live)
        values = [plain(value) for name, value in record]
        line = {'recno': recno, 'deleted': is_deleted,
                'fields': {name: value for (name, _), value in zip(record, values)},
                # The same values in field order (names may repeat), and which of them are
                # floats, which JSON does not tell apart from whole numbers.
                'values': values,
                'floats': [i for i, value in enumerate(values) if isinstance(value, float)]}
        out.write(json.dumps(line) + '\n')


def write(path, content_path):
    import dbf

    with open(content_path, encoding='utf-8') as f:
        content = json.load(f)
    table = dbf.Table(path, content['fields'], dbf_type='db3', codepage='cp850')
    table.open(dbf.READ_WRITE)
    types = [table.field_info(name).field_type for name in table.field_names]
    for record in content.get('records', []):
        values = []
        for kind, value in zip(types, record['values']):
            if value is not None and kind == dbf.FieldType.DATE:
                value = datetime.date.fromisoformat(value)
            values.append(value)
        table.append(tuple(values))
        if record.get('deleted'):
            dbf.delete(table[-1])
    table.close()


def main(argv):
    if len(argv) == 3 and argv[1] == 'read':
        read(argv[2])
    elif len(argv) == 4 and argv[1] == 'write':
        write(argv[2], argv[3])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == '__main__':
    try:
        sys.exit(main(sys.argv))
    except Exception as error:  # every fault is reported to the calling test
        sys.stderr.write('%s: %s\n' % (type(error).__name__, error))
        sys.exit(1)
