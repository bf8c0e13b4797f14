#!/usr/bin/env python3
"""Tarvix.msix: the package that gives the installed Tarvix.dll an identity, so that Windows 11
shows its first-menu class. The package holds only the manifest and the logos; its files stay
in the install folder (an external location). Written here as the MSIX format defines it: a
ZIP with every file stored, AppxBlockMap.xml with the SHA-256 of each 64 KiB block of each
file, [Content_Types].xml; then signed with osslsigncode.

The manifest's Publisher is the signing certificate's subject, read from the certificate. A
release build signs with the certificate in TARVIX_SIGN_PFX (password in TARVIX_SIGN_PASSWORD);
any other build makes a test certificate of its own once, in the signing folder, signs with
it and puts its public part, Tarvix-test.cer, beside the package.

    pack_msix.py <manifest template> <assets folder> <version> <signing folder> <out folder>

writes <out>/Tarvix.msix, <out>/AppxManifest.xml (the manifest as packed) and, when test
signed, <out>/Tarvix-test.cer.
"""
import base64
import hashlib
import os
import struct
import subprocess
import sys
import tempfile
import zlib

BLOCK = 65536
TEST_SUBJECT = '/O=Tarvix/CN=Tarvix test signing'
# Windows' names of the subject's attributes where OpenSSL's short names differ.
WINDOWS_KEYS = {'ST': 'S', 'emailAddress': 'E', 'street': 'STREET', 'serialNumber': 'SERIALNUMBER',
                'title': 'T', 'GN': 'G', 'initials': 'I'}


def run(*command, **options):
    return subprocess.run(command, check=True, capture_output=True, text=True, **options).stdout


def windows_subject(certificate_pem):
    """The subject as Windows writes it: the most specific part first, ', ' between parts,
    a value with a special character in quotes."""
    text = run('openssl', 'x509', '-in', certificate_pem, '-noout', '-subject',
               '-nameopt', 'sep_multiline,dn_rev,sname,utf8')
    parts = []
    for line in text.splitlines()[1:]:
        key, _, value = line.strip().partition('=')
        if any(c in value for c in ',+="\n<>#;') or value != value.strip():
            value = '"' + value.replace('"', '""') + '"'
        parts.append(WINDOWS_KEYS.get(key, key) + '=' + value)
    return ', '.join(parts)


class Signer:
    """The certificate and key: the release's, or the build's own test certificate."""

    def __init__(self, signing_folder, work):
        pfx = os.environ.get('TARVIX_SIGN_PFX')
        self.test = not pfx
        if pfx:
            self.password_file = os.path.join(work, 'password')
            with open(os.open(self.password_file, os.O_WRONLY | os.O_CREAT, 0o600), 'w') as out:
                out.write(os.environ.get('TARVIX_SIGN_PASSWORD', ''))
            self.certificate = os.path.join(work, 'certificate.pem')
            run('openssl', 'pkcs12', '-in', pfx, '-nokeys', '-clcerts', '-passin',
                'file:' + self.password_file, '-out', self.certificate)
            self.sign_arguments = ['-pkcs12', pfx, '-readpass', self.password_file]
        else:
            os.makedirs(signing_folder, exist_ok=True)
            self.certificate = os.path.join(signing_folder, 'Tarvix-test.pem')
            key = os.path.join(signing_folder, 'Tarvix-test.key')
            if not (os.path.exists(self.certificate) and os.path.exists(key)):
                # Code signing, an end entity: what Windows asks of a package's certificate.
                run('openssl', 'req', '-x509', '-newkey', 'rsa:3072', '-nodes', '-sha256',
                    '-days', '3650', '-subj', TEST_SUBJECT, '-keyout', key, '-out',
                    self.certificate, '-addext', 'basicConstraints=critical,CA:FALSE',
                    '-addext', 'keyUsage=critical,digitalSignature',
                    '-addext', 'extendedKeyUsage=codeSigning')
            self.sign_arguments = ['-certs', self.certificate, '-key', key]
        self.subject = windows_subject(self.certificate)

    def sign(self, unsigned, signed):
        if os.path.exists(signed):
            os.remove(signed)
        run('osslsigncode', 'sign', *self.sign_arguments, '-h', 'sha256', '-in', unsigned,
            '-out', signed)


def block_map(files):
    """AppxBlockMap.xml for the stored files, in package order."""
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<BlockMap xmlns="http://schemas.microsoft.com/appx/2010/blockmap" '
             'HashMethod="http://www.w3.org/2001/04/xmlenc#sha256">']
    for name, data in files:
        windows_name = name.replace('/', '\\')
        lines.append('  <File Name="%s" Size="%d" LfhSize="%d">'
                     % (windows_name, len(data), 30 + len(name.encode())))
        for start in range(0, len(data), BLOCK):
            digest = hashlib.sha256(data[start:start + BLOCK]).digest()
            lines.append('    <Block Hash="%s"/>' % base64.b64encode(digest).decode())
        lines.append('  </File>')
    lines.append('</BlockMap>')
    return ('\r\n'.join(lines) + '\r\n').encode()


def content_types(files):
    extensions = sorted({name.rsplit('.', 1)[1].lower() for name, _ in files
                         if name != 'AppxManifest.xml'})
    types = {'png': 'image/png'}
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">']
    lines += ['  <Default Extension="%s" ContentType="%s"/>' % (extension, types[extension])
              for extension in extensions]
    lines += ['  <Override PartName="/AppxManifest.xml" '
              'ContentType="application/vnd.ms-appx.manifest+xml"/>',
              '  <Override PartName="/AppxBlockMap.xml" '
              'ContentType="application/vnd.ms-appx.blockmap+xml"/>',
              '</Types>']
    return ('\r\n'.join(lines) + '\r\n').encode()


def write_zip(path, entries, deflated):
    """A ZIP with fixed times, so that the same files give the same bytes: the payload stored,
    the names in `deflated` compressed (osslsigncode rewrites [Content_Types].xml compressed,
    keeping the entry's method); ZIP64 end records as MSIX packages carry them."""
    dos_date = (0 << 9) | (1 << 5) | 1  # 1980-01-01
    body, directory = b'', b''
    for name, data in entries:
        encoded = name.encode()
        crc = zlib.crc32(data)
        method, stored = 0, data
        if name in deflated:
            compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
            method, stored = 8, compressor.compress(data) + compressor.flush()
        fields = struct.pack('<HHHHHIIIH', 20, 0, method, 0, dos_date, crc, len(stored),
                             len(data), len(encoded))
        directory += (struct.pack('<IH', 0x02014B50, 20) + fields +
                      struct.pack('<HHHHII', 0, 0, 0, 0, 0, len(body)) + encoded)
        body += struct.pack('<I', 0x04034B50) + fields + struct.pack('<H', 0) + encoded + stored
    count, start = len(entries), len(body)
    zip64_end = struct.pack('<IQHHIIQQQQ', 0x06064B50, 44, 45, 45, 0, 0, count, count,
                            len(directory), start)
    locator = struct.pack('<IIQI', 0x07064B50, 0, start + len(directory), 1)
    end = struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, count, count, len(directory), start, 0)
    with open(path, 'wb') as out:
        out.write(body + directory + zip64_end + locator + end)


def main(template, assets, version, signing_folder, out_folder):
    with tempfile.TemporaryDirectory() as work:
        signer = Signer(signing_folder, work)
        with open(template, encoding='utf-8') as source:
            manifest = source.read()
        manifest = (manifest.replace('@PUBLISHER@', escape_attribute(signer.subject))
                    .replace('@VERSION@', version + '.0'))
        files = [('AppxManifest.xml', manifest.encode())]
        for name in sorted(os.listdir(assets)):
            with open(os.path.join(assets, name), 'rb') as source:
                files.append(('Assets/' + name, source.read()))
        entries = files + [('AppxBlockMap.xml', block_map(files)),
                           ('[Content_Types].xml', content_types(files))]
        unsigned = os.path.join(work, 'unsigned.msix')
        write_zip(unsigned, entries, {'AppxBlockMap.xml', '[Content_Types].xml'})
        signer.sign(unsigned, os.path.join(out_folder, 'Tarvix.msix'))
        with open(os.path.join(out_folder, 'AppxManifest.xml'), 'wb') as out:
            out.write(files[0][1])
        public_part = os.path.join(out_folder, 'Tarvix-test.cer')
        if signer.test:
            run('openssl', 'x509', '-in', signer.certificate, '-outform', 'DER', '-out',
                public_part)
        elif os.path.exists(public_part):
            os.remove(public_part)


def escape_attribute(text):
    return (text.replace('&', '&amp;').replace('"', '&quot;').replace('<', '&lt;')
            .replace('>', '&gt;'))


if __name__ == '__main__':
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    main(*sys.argv[1:])
