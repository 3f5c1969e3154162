#!/usr/bin/env python3
"""The signed version file of a release, and the keys that sign it.

  version_file.py keygen DIR                     a throw-away P-256 pair: DIR/private.pem, DIR/public.pem
  version_file.py public KEY OUT                 the public half of a private key, PEM
  version_file.py sign KEY VERSION INSTALLER OUT  VersionInfo.txt for the installer

The file is UTF-16LE with a byte-order mark and LF line ends, as the program reads its text
files: the version, "SHA256=" and the installer's hash, then "SIGNATURE=" and the base64 of r
and s (32 bytes each) of an ECDSA P-256 / SHA-256 signature over every byte before that line.
"""

import base64
import hashlib
import os
import sys

from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.hazmat.primitives.asymmetric.utils import decode_dss_signature


def utf16(text):
    return text.encode("utf-16-le")


def load_key(path):
    with open(path, "rb") as f:
        key = serialization.load_pem_private_key(f.read(), password=None)
    if not isinstance(key, ec.EllipticCurvePrivateKey) or key.curve.name != "secp256r1":
        raise SystemExit(f"{path}: not a P-256 private key")
    return key


def signature_line(key, signed):
    r, s = decode_dss_signature(key.sign(signed, ec.ECDSA(hashes.SHA256())))
    raw = r.to_bytes(32, "big") + s.to_bytes(32, "big")
    return utf16("SIGNATURE=" + base64.b64encode(raw).decode("ascii") + "\n")


def sha256_of(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def signed_version_file(key, version, installer_sha256):
    signed = b"\xff\xfe" + utf16(f"{version}\nSHA256={installer_sha256}\n")
    return signed + signature_line(key, signed)


def keygen(folder):
    os.makedirs(folder, exist_ok=True)
    key = ec.generate_private_key(ec.SECP256R1())
    private = os.path.join(folder, "private.pem")
    fd = os.open(private, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
    with os.fdopen(fd, "wb") as f:
        f.write(key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                                  serialization.NoEncryption()))
    write_public(key, os.path.join(folder, "public.pem"))


def write_public(key, out):
    with open(out, "wb") as f:
        f.write(key.public_key().public_bytes(serialization.Encoding.PEM,
                                              serialization.PublicFormat.SubjectPublicKeyInfo))


def main(argv):
    if len(argv) == 3 and argv[1] == "keygen":
        keygen(argv[2])
    elif len(argv) == 4 and argv[1] == "public":
        write_public(load_key(argv[2]), argv[3])
    elif len(argv) == 6 and argv[1] == "sign":
        key, version, installer, out = argv[2:]
        with open(out, "wb") as f:
            f.write(signed_version_file(load_key(key), version, sha256_of(installer)))
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
