"""Merchant QR payloads for Python: encode requests and tag dictionaries, decode and validate
payloads (one at a time or many at once on threads), check requests, format amounts, and
draw QR symbols as PNG or SVG.

>>> import zelto
>>> zelto.validate(zelto.encode({"merchantName": "ABC Store"}))
[9, 15, 13, 11]

Errors raise zelto.Error (a ValueError) or one of its subclasses, DecodeError and
RequestError, with the library's message.
"""

from ._zelto import (
    DecodeError,
    Error,
    RequestError,
    check,
    check_refund,
    crc,
    decode,
    decode_many,
    encode,
    encode_tags,
    format_amount,
    poster,
    qr_pdf,
    qr_png,
    qr_svg,
    validate,
    validate_many,
)

__all__ = [
    "DecodeError",
    "Error",
    "RequestError",
    "check",
    "check_refund",
    "crc",
    "decode",
    "decode_many",
    "encode",
    "encode_tags",
    "format_amount",
    "poster",
    "qr_pdf",
    "qr_png",
    "qr_svg",
    "validate",
    "validate_many",
]
