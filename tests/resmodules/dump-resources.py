"""Lists the resources of a PE module, one line each: type, name, language,
size and a digest of the data, in directory order. Two builds of a module
hold the same resources when their lists are equal."""
import hashlib
import struct
import sys


def dump(path):
    data = open(path, 'rb').read()
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    sections = struct.unpack_from('<H', data, pe + 6)[0]
    optional_size = struct.unpack_from('<H', data, pe + 20)[0]
    magic = struct.unpack_from('<H', data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from('<I', data, directories + 2 * 8)[0]
    table = pe + 24 + optional_size

    def offset(rva):
        for i in range(sections):
            vsize, vaddr, rawsize, rawptr = struct.unpack_from('<IIII', data, table + i * 40 + 8)
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        raise ValueError('rva %#x outside every section' % rva)

    base = offset(rsrc_rva)

    def entries(dir_offset):
        named, ids = struct.unpack_from('<HH', data, base + dir_offset + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from('<II', data, base + dir_offset + 16 + i * 8)
            if name & 0x80000000:
                length = struct.unpack_from('<H', data, base + (name & 0x7FFFFFFF))[0]
                start = base + (name & 0x7FFFFFFF) + 2
                name = data[start:start + 2 * length].decode('utf-16-le')
            yield name, target

    for rtype, t in entries(0):
        for rname, n in entries(t & 0x7FFFFFFF):
            for lang, leaf in entries(n & 0x7FFFFFFF):
                rva, size = struct.unpack_from('<II', data, base + leaf)
                blob = data[offset(rva):offset(rva) + size]
                print(rtype, rname, lang, size, hashlib.sha256(blob).hexdigest()[:16])


if __name__ == '__main__':
    dump(sys.argv[1])
