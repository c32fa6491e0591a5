#!/usr/bin/python3
"""An independent reader and writer of binary form descriptions, written from the format's
description alone: it decodes a description into plain values, prints them one per line, and
encodes them again. Used by the tests to catch a misunderstanding shared by our own reader and
writer.

usage: binform.py IN OUT   (writes the re-encoded bytes to OUT, the dump to stdout)
"""
import math
import struct
import sys


def extended_value(mantissa, top):
    sign = -1.0 if top >> 15 else 1.0
    exponent = top & 0x7FFF
    if exponent == 0x7FFF:
        return sign * math.inf if (mantissa << 1) & (2 ** 64 - 1) == 0 else math.nan
    try:
        return sign * math.ldexp(mantissa, exponent - 16383 - 63)
    except OverflowError:
        return sign * math.inf


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, n):
        if self.pos + n > len(self.data):
            raise ValueError('truncated at %d' % self.pos)
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def byte(self):
        return self.take(1)[0]

    def peek(self):
        return self.data[self.pos]

    def short(self):
        return self.take(self.byte())

    def value(self):
        code = self.byte()
        if code == 1:
            items = []
            while self.peek() != 0:
                items.append(self.value())
            self.byte()
            return ('list', items)
        if code in (2, 3, 4, 19):
            fmt = {2: '<b', 3: '<h', 4: '<i', 19: '<q'}[code]
            return ('int', code, struct.unpack(fmt, self.take(struct.calcsize(fmt)))[0])
        if code == 5:
            raw = self.take(10)
            mantissa = int.from_bytes(raw[:8], 'little')
            top = int.from_bytes(raw[8:], 'little')
            return ('extended', raw, extended_value(mantissa, top))
        if code in (6, 7):
            return ({6: 'string', 7: 'ident'}[code], self.short())
        if code in (8, 9, 13):
            return ({8: 'false', 9: 'true', 13: 'nil'}[code],)
        if code in (10, 12, 20):
            n = struct.unpack('<i', self.take(4))[0]
            return ({10: 'binary', 12: 'lstring', 20: 'utf8'}[code], self.take(n))
        if code == 11:
            names = []
            while True:
                name = self.short()
                if not name:
                    return ('set', names)
                names.append(name)
        if code == 14:
            items = []
            while self.peek() != 0:
                index = self.value() if self.peek() in (2, 3, 4) else None
                if self.byte() != 1:
                    raise ValueError('list expected')
                props = []
                while self.peek() != 0:
                    props.append((self.short(), self.value()))
                self.byte()
                items.append((index, props))
            self.byte()
            return ('collection', items)
        if code == 15:
            return ('single', self.take(4))
        if code in (16, 17, 21):
            return ({16: 'currency', 17: 'date', 21: 'double'}[code], self.take(8))
        if code == 18:
            n = struct.unpack('<i', self.take(4))[0]
            return ('wstring', self.take(2 * n))
        raise ValueError('unknown value code %d at %d' % (code, self.pos - 1))

    def obj(self):
        flags, position = 0, None
        if self.peek() & 0xF0 == 0xF0:
            flags = self.byte() & 0x0F
            if flags & 2:
                position = self.value()
        cls, name = self.short(), self.short()
        props = []
        while self.peek() != 0:
            props.append((self.short(), self.value()))
        self.byte()
        children = []
        while self.peek() != 0:
            children.append(self.obj())
        self.byte()
        return (flags, position, cls, name, props, children)


def enc_short(b):
    return bytes([len(b)]) + b


def enc_value(v):
    kind = v[0]
    if kind == 'list':
        return b'\x01' + b''.join(enc_value(x) for x in v[1]) + b'\x00'
    if kind == 'int':
        fmt = {2: '<b', 3: '<h', 4: '<i', 19: '<q'}[v[1]]
        return bytes([v[1]]) + struct.pack(fmt, v[2])
    if kind == 'extended':
        return b'\x05' + v[1]
    if kind in ('string', 'ident'):
        return bytes([{'string': 6, 'ident': 7}[kind]]) + enc_short(v[1])
    if kind in ('false', 'true', 'nil'):
        return bytes([{'false': 8, 'true': 9, 'nil': 13}[kind]])
    if kind in ('binary', 'lstring', 'utf8'):
        return bytes([{'binary': 10, 'lstring': 12, 'utf8': 20}[kind]]) + struct.pack('<i', len(v[1])) + v[1]
    if kind == 'set':
        return b'\x0b' + b''.join(enc_short(n) for n in v[1]) + b'\x00'
    if kind == 'collection':
        out = b'\x0e'
        for index, props in v[1]:
            if index is not None:
                out += enc_value(index)
            out += b'\x01' + b''.join(enc_short(n) + enc_value(x) for n, x in props) + b'\x00'
        return out + b'\x00'
    if kind == 'single':
        return b'\x0f' + v[1]
    if kind in ('currency', 'date', 'double'):
        return bytes([{'currency': 16, 'date': 17, 'double': 21}[kind]]) + v[1]
    if kind == 'wstring':
        return b'\x12' + struct.pack('<i', len(v[1]) // 2) + v[1]
    raise ValueError(kind)


def enc_obj(o):
    flags, position, cls, name, props, children = o
    out = b''
    if flags:
        out += bytes([0xF0 | flags]) + (enc_value(position) if flags & 2 else b'')
    out += enc_short(cls) + enc_short(name)
    out += b''.join(enc_short(n) + enc_value(v) for n, v in props) + b'\x00'
    return out + b''.join(enc_obj(c) for c in children) + b'\x00'


def show(v):
    kind = v[0]
    if kind == 'int':
        return 'int%d %d' % ({2: 8, 3: 16, 4: 32, 19: 64}[v[1]], v[2])
    if kind == 'extended':
        return 'extended %r' % v[2]
    if kind in ('string', 'lstring'):
        return '%s %s' % (kind, v[1].decode('cp1251', 'replace'))
    if kind == 'wstring':
        return 'wstring %s' % v[1].decode('utf-16-le')
    if kind in ('ident', 'utf8'):
        return '%s %s' % (kind, v[1].decode('utf-8'))
    if kind == 'binary':
        return 'binary %s' % v[1].hex().upper()
    if kind == 'set':
        return 'set %s' % ','.join(n.decode() for n in v[1])
    if kind == 'single':
        return 'single %r' % struct.unpack('<f', v[1])[0]
    if kind == 'currency':
        return 'currency %d' % struct.unpack('<q', v[1])[0]
    if kind in ('date', 'double'):
        return '%s %r' % (kind, struct.unpack('<d', v[1])[0])
    if kind == 'list':
        return 'list [%s]' % '; '.join(show(x) for x in v[1])
    if kind == 'collection':
        return 'collection %d items' % len(v[1])
    return kind


def dump(o, path=''):
    flags, position, cls, name, props, children = o
    here = path + name.decode()
    print('%s: %s' % (here, cls.decode()))
    for n, v in props:
        print('%s.%s = %s' % (here, n.decode(), show(v)))
    for c in children:
        dump(c, here + '/')


def main():
    data = open(sys.argv[1], 'rb').read()
    if data[:4] != b'TPF0':
        raise ValueError('no signature')
    r = Reader(data)
    r.pos = 4
    root = r.obj()
    if r.pos != len(data):
        raise ValueError('trailing bytes')
    dump(root)
    open(sys.argv[2], 'wb').write(b'TPF0' + enc_obj(root))


main()
