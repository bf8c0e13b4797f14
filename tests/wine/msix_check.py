#!/usr/bin/env python3
"""Reads a built Tarvix.msix on its own, as Windows would before installing it, without any
of the packer's code: the ZIP, every block hash of the block map, the content types and the
manifest's declarations. Prints "clsid=", "version=" and "publisher=" lines for the caller to
hold against the DLL and the certificate; exits 1 with the faults found.

    msix_check.py <package.msix>
"""
import base64
import hashlib
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zipfile

BLOCK = 65536
FOOTPRINT = {'AppxBlockMap.xml', '[Content_Types].xml', 'AppxSignature.p7x'}
NS = {
    'b': 'http://schemas.microsoft.com/appx/2010/blockmap',
    't': 'http://schemas.openxmlformats.org/package/2006/content-types',
    'm': 'http://schemas.microsoft.com/appx/manifest/foundation/windows10',
    'uap': 'http://schemas.microsoft.com/appx/manifest/uap/windows10',
    'uap10': 'http://schemas.microsoft.com/appx/manifest/uap/windows10/10',
    'rescap': 'http://schemas.microsoft.com/appx/manifest/foundation/windows10/restrictedcapabilities',
    'desktop4': 'http://schemas.microsoft.com/appx/manifest/desktop/windows10/4',
    'desktop5': 'http://schemas.microsoft.com/appx/manifest/desktop/windows10/5',
    'com': 'http://schemas.microsoft.com/appx/manifest/com/windows10',
}
faults = []


def check(condition, fault):
    if not condition:
        faults.append(fault)
    return condition


def local_header_size(raw, info):
    name_length, extra_length = struct.unpack_from('<HH', raw, info.header_offset + 26)
    return 30 + name_length + extra_length


def check_block_map(package, raw):
    block_map = ElementTree.fromstring(package.read('AppxBlockMap.xml'))
    check(block_map.get('HashMethod') == 'http://www.w3.org/2001/04/xmlenc#sha256', 'hash method')
    listed = set()
    for entry in block_map.findall('b:File', NS):
        name = entry.get('Name').replace('\\', '/')
        listed.add(name)
        if not check(name in package.namelist(), 'the block map lists %s, the package lacks it' % name):
            continue
        info = package.getinfo(name)
        data = package.read(name)
        check(int(entry.get('Size')) == len(data), '%s: size' % name)
        check(int(entry.get('LfhSize')) == local_header_size(raw, info), '%s: LfhSize' % name)
        blocks = entry.findall('b:Block', NS)
        check(len(blocks) == (len(data) + BLOCK - 1) // BLOCK, '%s: block count' % name)
        for index, block in enumerate(blocks):
            digest = hashlib.sha256(data[index * BLOCK:(index + 1) * BLOCK]).digest()
            check(base64.b64decode(block.get('Hash')) == digest, '%s: hash of block %d' % (name, index))
            if info.compress_type == zipfile.ZIP_STORED:
                check(block.get('Size') is None, '%s: a stored block has no Size' % name)
    for name in package.namelist():
        check(name in listed or name in FOOTPRINT, '%s is not in the block map' % name)


def check_content_types(package):
    types = ElementTree.fromstring(package.read('[Content_Types].xml'))
    defaults = {d.get('Extension').lower(): d.get('ContentType') for d in types.findall('t:Default', NS)}
    overrides = {o.get('PartName'): o.get('ContentType') for o in types.findall('t:Override', NS)}
    expected = {'/AppxManifest.xml': 'application/vnd.ms-appx.manifest+xml',
                '/AppxBlockMap.xml': 'application/vnd.ms-appx.blockmap+xml',
                '/AppxSignature.p7x': 'application/vnd.ms-appx.signature'}
    for part, content_type in expected.items():
        check(overrides.get(part) == content_type, 'content type of %s' % part)
    for name in package.namelist():
        if name == '[Content_Types].xml':
            continue
        extension = name.rsplit('.', 1)[-1].lower()
        check('/' + name in overrides or extension in defaults, 'no content type for %s' % name)
    check(defaults.get('png') == 'image/png', 'content type of png')


def check_manifest(package):
    manifest = ElementTree.fromstring(package.read('AppxManifest.xml'))
    identity = manifest.find('m:Identity', NS)
    properties = manifest.find('m:Properties', NS)
    check(properties.findtext('uap10:AllowExternalContent', namespaces=NS) == 'true',
          'external content allowed')
    capabilities = {c.get('Name') for c in manifest.findall('m:Capabilities/rescap:Capability', NS)}
    check(capabilities == {'runFullTrust', 'unvirtualizedResources'}, 'capabilities %s' % capabilities)
    application = manifest.find('m:Applications/m:Application', NS)
    visual = application.find('uap:VisualElements', NS)
    check(visual.get('AppListEntry') == 'none', 'the application stays out of the Start menu')
    for logo in [properties.findtext('m:Logo', namespaces=NS), visual.get('Square150x150Logo'),
                 visual.get('Square44x44Logo')]:
        check(logo.replace('\\', '/') in package.namelist(), 'logo %s in the package' % logo)
    menus = application.findall('m:Extensions/desktop4:Extension/desktop4:FileExplorerContextMenus/'
                                'desktop5:ItemType', NS)
    verbs = {menu.get('Type'): menu.find('desktop5:Verb', NS).get('Clsid') for menu in menus}
    check(set(verbs) == {'*', 'Directory'}, 'item types %s' % sorted(verbs))
    classes = application.findall('m:Extensions/com:Extension/com:ComServer/com:SurrogateServer/'
                                  'com:Class', NS)
    check(len(classes) == 1, 'one surrogate class')
    clsid = '{%s}' % classes[0].get('Id').upper()
    check(set(verbs.values()) == {clsid}, 'the menus name the surrogate class')
    check(classes[0].get('Path') == 'Tarvix.dll' and classes[0].get('ThreadingModel') == 'STA',
          'the class is Tarvix.dll, STA')
    print('clsid=' + clsid)
    print('version=' + identity.get('Version'))
    print('publisher=' + identity.get('Publisher'))


def main(path):
    with open(path, 'rb') as source:
        raw = source.read()
    try:
        package = zipfile.ZipFile(path)
        check(package.testzip() is None, 'a ZIP entry does not read back')
    except zipfile.BadZipFile as error:
        print('not a package: %s' % error)
        return 1
    for name in ('AppxManifest.xml', 'AppxBlockMap.xml', '[Content_Types].xml', 'AppxSignature.p7x'):
        if not check(name in package.namelist(), 'no %s' % name):
            break
    else:
        check_block_map(package, raw)
        check_content_types(package)
        check_manifest(package)
    for fault in faults:
        print('FAULT: ' + fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]) if len(sys.argv) == 2 else __doc__)
