"""Type stubs of the compiled module zelto._zelto (re-exported by zelto)."""

from typing import Any, Iterable, Mapping, Optional, Union

class Error(ValueError):
    """A value the library refuses, with the library's message."""

class DecodeError(Error):
    """A payload that does not decode: invalidLength, repeatedTag or invalidTag."""

class RequestError(Error):
    """A request or tag dictionary that cannot be read: an unknown property, a value of the
    wrong type, a dict that is not one of tags."""

def encode(request: Mapping[str, Optional[str]]) -> str:
    """The payload of a payment request given as a dict of ZeltoPaymentRequest properties
    (merchantName, zeltoMerchantID, transactionAmount, ...) with str values, or None for absent
    optional ones; missing properties keep their defaults. Raises RequestError naming the first
    property at fault."""

def encode_tags(tags: Mapping[str, Any]) -> str:
    """The payload of a tag dictionary: keys are tags ("59") or property names
    ("merchantName"), values are str, nested dicts are templates."""

def decode(payload: str) -> dict[str, Any]:
    """The fields of a payload: isTipAvailable, then every field it sets under its property
    name; templates are nested dicts. Raises DecodeError when the payload does not decode."""

def validate(payload: str) -> list[int]:
    """The QR error codes of a payload, rule by rule in the order found; [] when valid, [0]
    when it does not decode, 48 for a wrong CRC."""

def check(request: Mapping[str, Optional[str]]) -> list[str]:
    """The messages of the first rule a payment request (a dict as encode takes) breaks; []
    when it is valid."""

def check_refund(refund: Mapping[str, str]) -> list[str]:
    """The messages of the first rule a refund request breaks: a dict of the str last4,
    cardHolderName, currencyCode and refundAmount; [] when it is valid."""

def crc(text: str) -> str:
    """The four upper-case hexadecimal CRC-16 digits of the UTF-8 bytes of text."""

def format_amount(
    amount: Union[str, int, float], currency_code: str, locale: Optional[str] = None
) -> str:
    """amount ("1234.5", 1234.5) as the payment screens show it in the currency currency_code
    (numeric "840" or alphabetic "USD"): "$1,234.50". locale ("de_DE") sets the grouping and
    decimal separators; None takes the environment's."""

def qr_png(payload: str, scale: int = 8) -> bytes:
    """The payload's QR symbol as PNG bytes: byte mode, error correction M, a quiet zone of 4
    modules, scale pixels a module (1 to 100), pure black on white."""

def qr_svg(payload: str, scale: int = 8) -> str:
    """The payload's QR symbol as an SVG document: one user unit a module (quiet zone
    included), scale (1 to 100) points a module on the page."""

def qr_pdf(payload: str, scale: int = 8) -> bytes:
    """The payload's QR symbol as a one-page PDF, scale (1 to 100) points a module."""

def poster(
    request: Mapping[str, Optional[str]],
    format: str = "pdf",
    size: str = "a6",
    language: Optional[str] = None,
) -> bytes:
    """A print-ready counter-stand card for a payment request: "Scan to pay", the merchant's
    name and city, the code, the amount when set, the network logos and a hint, as PDF or SVG
    bytes on "a6", "a5" or "a4" paper, its texts in language ("ar", "pt-BR", ...; None: the
    device's). Raises RequestError when the request is not valid."""

def validate_many(payloads: Iterable[str], threads: Optional[int] = None) -> list[list[int]]:
    """[validate(p) for p in payloads], computed on threads (default: the cores; 1 to 1024)
    without holding the GIL."""

def decode_many(
    payloads: Iterable[str], threads: Optional[int] = None, raise_errors: bool = True
) -> list[Optional[dict[str, Any]]]:
    """[decode(p) for p in payloads], decoded on threads (default: the cores; 1 to 1024)
    without holding the GIL. A payload that does not decode raises DecodeError naming its index, or gives None
    with raise_errors=False."""
