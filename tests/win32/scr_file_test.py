#!/usr/bin/env python3
"""What the shipped quorvel.scr holds, read from the file itself: its size and sections, the DLLs
it imports, the manifest, the version resource and the icon.

scr_file_test.py QUORVEL_SCR VERSION ICON_32_BMP
"""
import struct
import sys
import xml.etree.ElementTree as ET

scr_path, version, icon32_path = sys.argv[1:4]
with open(scr_path, 'rb') as f:
    scr = f.read()
failures = 0


def check(name, ok, detail=''):
    global failures
    print(('ok: ' if ok else 'FAIL: ') + name + ('' if ok else ' ' + detail))
    failures += 0 if ok else 1


def sections(pe):
    """(name, virtual address, raw size, raw offset) of each section; long names (/N) resolved
    through the string table that follows the symbols."""
    coff = struct.unpack_from('<I', pe, 0x3C)[0] + 4
    count, symbols, symbol_count, optional_size = struct.unpack_from('<2xHxxxxIIH', pe, coff)
    table = coff + 20 + optional_size
    strings = symbols + 18 * symbol_count
    found = []
    for i in range(count):
        raw_name, _, address, size, offset = struct.unpack_from('<8sIIII', pe, table + 40 * i)
        name = raw_name.rstrip(b'\0').decode()
        if name.startswith('/') and symbols:
            start = strings + int(name[1:])
            name = pe[start:pe.index(b'\0', start)].decode()
        found.append((name, address, size, offset))
    return found


def imported_dlls(pe):
    """The names of the DLLs in the import table."""
    coff = struct.unpack_from('<I', pe, 0x3C)[0] + 4
    optional = coff + 20
    directories = optional + (112 if struct.unpack_from('<H', pe, optional)[0] == 0x20B else 96)
    table_rva = struct.unpack_from('<I', pe, directories + 8)[0]  # entry 1: the import table

    def at(rva):
        return next(offset + rva - address for _, address, size, offset in sections(pe)
                    if address <= rva < address + size)

    found, entry = [], at(table_rva)
    while struct.unpack_from('<I', pe, entry + 12)[0]:
        name = at(struct.unpack_from('<I', pe, entry + 12)[0])
        found.append(pe[name:pe.index(b'\0', name)].decode().lower())
        entry += 20
    return found


def resources(pe):
    """{(type, id): data} of the resource section (first language of each)."""
    rsrc = next(s for s in sections(pe) if s[0] == '.rsrc')
    _, base_rva, _, base = rsrc

    def entries(offset):
        named, ids = struct.unpack_from('<12xHH', pe, base + offset)
        for i in range(named + ids):
            key, target = struct.unpack_from('<II', pe, base + offset + 16 + 8 * i)
            yield key, target

    found = {}
    for type_id, type_dir in entries(0):
        for name_id, name_dir in entries(type_dir & 0x7FFFFFFF):
            _, data_entry = next(entries(name_dir & 0x7FFFFFFF))
            rva, size = struct.unpack_from('<II', pe, base + data_entry)
            found[(type_id, name_id)] = pe[base + rva - base_rva:base + rva - base_rva + size]
    return found


def version_strings(block):
    """The StringFileInfo values of a VS_VERSIONINFO, and its fixed file version as 'fixed'."""
    def text_at(offset):
        end = offset
        while block[end:end + 2] != b'\0\0':
            end += 2
        return block[offset:end].decode('utf-16-le'), (end + 2 + 3) & ~3

    def walk(offset, end, found):
        while offset < end:
            length, value_length, is_text = struct.unpack_from('<HHH', block, offset)
            key, value_at = text_at(offset + 6)
            if is_text and value_length:
                found[key] = text_at(value_at)[0]
            elif key != 'VarFileInfo':  # StringFileInfo and its tables hold the strings
                walk(value_at, offset + length, found)
            offset = (offset + length + 3) & ~3

    length = struct.unpack_from('<H', block, 0)[0]
    _, fixed_at = text_at(6)
    ms, ls = struct.unpack_from('<II', block, fixed_at + 8)
    found = {'fixed': '%d.%d.%d.%d' % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)}
    walk((fixed_at + 52 + 3) & ~3, length, found)
    return found


names = [s[0] for s in sections(scr)]
check('smaller than 1 MiB (%d bytes)' % len(scr), len(scr) < 1 << 20)
check('no debug sections', not any(n.startswith('.debug') or n.startswith('/') for n in names), str(names))
# A user's Windows has these; a DLL of the compiler's run time would have to ship beside the file.
system = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'comctl32.dll', 'shell32.dll', 'advapi32.dll',
          'opengl32.dll', 'msvcrt.dll'}
dlls = imported_dlls(scr)
check('imports only system DLLs', dlls and set(dlls) <= system, str(dlls))
res = resources(scr)

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
manifest = res.get((RT_MANIFEST, 1))
check('a manifest, resource 1', manifest is not None)
if manifest:
    root = ET.fromstring(manifest)
    ns = {'v3': 'urn:schemas-microsoft-com:asm.v3', 'v1': 'urn:schemas-microsoft-com:asm.v1',
          'ws05': 'http://schemas.microsoft.com/SMI/2005/WindowsSettings',
          'ws16': 'http://schemas.microsoft.com/SMI/2016/WindowsSettings'}
    settings = root.find('v3:application/v3:windowsSettings', ns)
    awareness = settings.findtext('ws16:dpiAwareness', '', ns) if settings is not None else ''
    aware = settings.findtext('ws05:dpiAware', '', ns) if settings is not None else ''
    check('per-monitor DPI aware (v2, else v1)', awareness.replace(' ', '') == 'PerMonitorV2,PerMonitor' and
          aware.lower() == 'true/pm', awareness + ' / ' + aware)
    controls = root.find('v1:dependency/v1:dependentAssembly/v1:assemblyIdentity', ns)
    check('Common Controls 6', controls is not None and controls.get('name') ==
          'Microsoft.Windows.Common-Controls' and controls.get('version') == '6.0.0.0')
    level = root.find('.//v3:requestedExecutionLevel', ns)
    check('runs as the user who starts it', level is not None and level.get('level') == 'asInvoker')

block = res.get((RT_VERSION, 1))
check('a version resource', block is not None)
if block:
    values = version_strings(block)
    check('of this version', values.get('fixed') == version + '.0' and values.get('FileVersion') == version and
          values.get('ProductVersion') == version, str(values))
    check('naming the product and its file', values.get('ProductName') == 'Quorvel' and
          values.get('OriginalFilename') == 'quorvel.scr', str(values))

group = res.get((RT_GROUP_ICON, 100))
check('icon 100', group is not None)
if group:
    count = struct.unpack_from('<H', group, 4)[0]
    entries = [struct.unpack_from('<BBBBHHIH', group, 6 + 14 * i) for i in range(count)]
    sizes = [e[0] or 256 for e in entries]
    check('with 16, 32, 48 and 256 pixel images', sorted(sizes) == [16, 32, 48, 256], str(sizes))
    with open(icon32_path, 'rb') as f:
        bmp = f.read()
    offset = struct.unpack_from('<I', bmp, 10)[0]
    image32 = next((res.get((RT_ICON, e[7])) for e in entries if e[0] == 32), b'')
    # The image: header, 256-colour palette, then the same pixel rows as the BMP.
    check('its 32 x 32 picture is the program\'s icon', image32[40 + 1024:40 + 1024 + 32 * 32] ==
          bmp[offset:offset + 32 * 32])

sys.exit(1 if failures else 0)
