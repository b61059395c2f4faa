"""The Python interface against the `zelto` tool and against itself."""

import io
import json
import random
import re
import shutil
import subprocess

import pytest

import zelto

WORKED_EXAMPLE = (
    "000201010211021641111111111111115909ABC Store520454116006Mumbai5802IN5303356540510.00"
    "6215010412340703T016304FB81"
)
WORKED_REQUEST = {
    "pointOfInitiation": "11",
    "zeltoMerchantID": "4111111111111111",
    "merchantName": "ABC Store",
    "merchantCategoryCode": "5411",
    "cityName": "Mumbai",
    "countryCode": "IN",
    "currencyCode": "356",
    "transactionAmount": "10.00",
    "billID": "1234",
    "terminalID": "T01",
    "tipIndicator": None,
}


def generated_requests(count, seed=20):
    """Requests with every kind of field: valid, too long, non-ASCII, absent, None."""
    rng = random.Random(seed)
    values = ["", "ABC Store", "Café Ñandú", "4111111111111111", "41111111", "5411", "12.50",
              "0", "x" * 30, "356", "IN", "in", "01", "99.999", "T01", "☕"]
    names = ["pointOfInitiation", "zeltoMerchantID", "merchantName", "merchantCategoryCode",
             "cityName", "countryCode", "currencyCode", "transactionAmount", "billID",
             "mobileNumber", "storeID", "terminalID", "purpose", "tipIndicator", "tipAmount",
             "postalCode"]
    optional = {"pointOfInitiation", "transactionAmount", "billID", "mobileNumber", "storeID",
                "terminalID", "purpose", "tipIndicator", "tipAmount", "postalCode"}
    requests = []
    for _ in range(count):
        request = {}
        for name in rng.sample(names, rng.randint(0, len(names))):
            value = rng.choice(values)
            request[name] = None if name in optional and rng.random() < 0.1 else value
        requests.append(request)
    return requests


def test_worked_example():
    assert zelto.encode(WORKED_REQUEST) == WORKED_EXAMPLE
    assert zelto.validate(WORKED_EXAMPLE) == []
    fields = zelto.decode(WORKED_EXAMPLE)
    assert fields["isTipAvailable"] is False
    assert fields["merchantName"] == "ABC Store"
    assert fields["additionalDataFieldTemplate"] == {"billID": "1234", "terminalID": "T01"}
    assert zelto.crc("123456789") == "29B1"
    assert zelto.check(WORKED_REQUEST) == ["Tip amount not valid"]
    assert zelto.check({**WORKED_REQUEST, "tipIndicator": "", "tipAmount": "",
                        "tipPercentage": ""}) == []


def test_corpus_answers_as_the_tool_does(corpus, tool_lines):
    validated = tool_lines(["validate"], corpus)
    decoded = tool_lines(["decode"], corpus)
    for payload, codes, fields in zip(corpus, validated, decoded):
        assert zelto.validate(payload) == codes["qrCodeError"], payload
        del fields["line"]
        if "error" in fields:
            with pytest.raises(zelto.DecodeError, match=f"^{fields['error']}$"):
                zelto.decode(payload)
        else:
            assert zelto.decode(payload) == fields, payload


def test_generated_requests_answer_as_the_tool_does(run_tool, tool_lines):
    requests = generated_requests(300)
    encoded = tool_lines(["encode"], [json.dumps(r) for r in requests])
    for request, result in zip(requests, encoded):
        assert zelto.encode(request) == result["payload"], request
    for request in requests[:25]:
        status, out = run_tool(["check"], json.dumps(request))
        assert zelto.check(request) == out.splitlines()
        assert (status == 0) == (zelto.check(request) == [])
    # Numbers are no field: skipped as the tool skips them, up to either end of 64 bits.
    tags = {"00": "01", "59": "ABC", "26": {"00": "com.zelto.pay", "01": "M-1"}, "60": 2**64 - 1,
            "61": -2**63}
    assert zelto.encode_tags(tags) == tool_lines(["encode", "--tags"], [json.dumps(tags)])[0][
        "payload"]
    refund = {"last4": "4242", "cardHolderName": "J", "currencyCode": "USD", "refundAmount": "1"}
    assert zelto.check_refund(refund) == run_tool(["check-refund"], json.dumps(refund))[
        1].splitlines()
    assert zelto.crc("Café") == run_tool(["crc", "Café"])[1].strip()
    # The amount field after typing 1, 2, 3, 4 shows what format_amount gives for 12.34.
    shown = run_tool(["amount", "--currency", "USD", "--keys", "1234"])[1].splitlines()
    assert zelto.format_amount("12.34", "USD", "en_US") == shown[3] == "$12.34"


def test_many_equal_a_loop_whatever_the_threads(corpus):
    payloads = [WORKED_EXAMPLE, "", "x", "0002016304AAE6", "000201591" + "é"]
    payloads += [zelto.encode(r) for r in generated_requests(200, seed=7)]
    payloads += corpus if corpus else []
    expected = [zelto.validate(p) for p in payloads]
    for threads in (None, 1, 2, 7):
        assert zelto.validate_many(payloads, threads=threads) == expected
        assert zelto.validate_many(iter(payloads), threads=threads) == expected
    decodable = [p for p in payloads if p and zelto.validate(p) != [0]]
    assert zelto.decode_many(decodable) == [zelto.decode(p) for p in decodable]
    assert zelto.decode_many([WORKED_EXAMPLE, "x"], raise_errors=False) == [
        zelto.decode(WORKED_EXAMPLE), None]
    assert zelto.validate_many([]) == []


@pytest.mark.parametrize(
    "call, error, message",
    [
        (lambda: zelto.encode({"merchantName": 5}), zelto.RequestError,
         '"merchantName" must be a string or null, not number'),
        (lambda: zelto.encode({"nope": "x"}), zelto.RequestError,
         'unknown request property "nope"'),
        (lambda: zelto.encode({"merchantName": None}), zelto.RequestError,
         '"merchantName" cannot be null: it is not optional'),
        (lambda: zelto.check({"cityName": ["x"]}), zelto.RequestError,
         '"cityName" must be a string or null, not array'),
        (lambda: zelto.check_refund({"amount": "1"}), zelto.RequestError,
         'unknown refund field "amount"'),
        (lambda: zelto.decode("0002"), zelto.DecodeError, "invalidLength"),
        (lambda: zelto.decode_many([WORKED_EXAMPLE, "x"]), zelto.DecodeError,
         "payload 1: invalidLength"),
        (lambda: zelto.format_amount("12,5", "USD"), zelto.Error, 'not an amount: "12,5"'),
        (lambda: zelto.format_amount(1, "XYZ"), zelto.Error, 'unknown currency "XYZ"'),
        (lambda: zelto.format_amount(1, "USD", "xx_NOPE"), zelto.Error,
         'unknown locale "xx_NOPE"'),
        (lambda: zelto.format_amount(float("inf"), "USD"), zelto.Error, "finite"),
        (lambda: zelto.format_amount(10**400, "USD"), zelto.Error, "finite"),
        (lambda: zelto.format_amount("\ud800", "USD"), UnicodeEncodeError, "surrogates"),
        (lambda: zelto.decode("0002\udcff"), UnicodeEncodeError, "surrogates"),
        (lambda: zelto.crc("\ud800"), UnicodeEncodeError, "surrogates"),
        (lambda: zelto.qr_svg("\ud800"), UnicodeEncodeError, "surrogates"),
        (lambda: zelto.encode({**WORKED_REQUEST, "merchantName": "\ud800"}), UnicodeEncodeError,
         "surrogates"),
        (lambda: zelto.encode_tags({"59": "x", "\udcff": "y"}), UnicodeEncodeError, "surrogates"),
        (lambda: zelto.encode_tags({"59": 2**64}), zelto.Error,
         "the integer 18446744073709551616 does not fit"),
        (lambda: zelto.qr_png("x" * 2332), zelto.Error, "does not fit"),
        (lambda: zelto.qr_svg("x" * 2332), zelto.Error, "does not fit"),
        (lambda: zelto.qr_png("x", scale=0), zelto.Error, "scale"),
        (lambda: zelto.validate_many(["x"], threads=0), zelto.Error, "threads must be from 1"),
        (lambda: zelto.decode_many(["x"], threads=1025), zelto.Error, "to 1024"),
        (lambda: zelto.encode_tags(nested(70)), zelto.Error, "nested more than 64"),
    ],
)
def test_bad_input_raises_with_the_librarys_message(call, error, message):
    with pytest.raises(error, match=re.escape(message)) as raised:
        call()
    assert isinstance(raised.value, ValueError)


def nested(depth):
    value = {}
    for _ in range(depth):
        value = {"x": value}
    return {"80": value}


@pytest.mark.parametrize(
    "call",
    [
        lambda: zelto.encode("not a dict"),
        lambda: zelto.encode({1: "x"}),
        lambda: zelto.encode({"merchantName": object()}),
        lambda: zelto.validate(5),
        lambda: zelto.validate_many(["x", 5]),
        lambda: zelto.format_amount(None, "USD"),
    ],
)
def test_wrong_types_raise_type_error(call):
    with pytest.raises(TypeError):
        call()


def test_amounts_follow_the_currency_and_locale():
    assert zelto.format_amount("1234.5", "USD", "en_US") == "$1,234.50"
    assert zelto.format_amount(1234.5, "840", "en_US") == "$1,234.50"
    assert zelto.format_amount(1234, "jpy", "en_US") == "¥1,234"
    assert zelto.format_amount("1234.5", "978", "de_DE") == "€1.234,50"


def module_grid_of_svg(svg):
    """The dark modules an SVG of qr_svg draws, from its runs."""
    side = int(re.search(r'viewBox="0 0 (\d+) \1"', svg).group(1))
    grid = [[False] * side for _ in range(side)]
    for x, y, run in re.findall(r"M(\d+) (\d+)h(\d+)v1h-\3z", svg):
        for i in range(int(run)):
            grid[int(y)][int(x) + i] = True
    return grid


def test_qr_symbols_read_back():
    zxingcpp = pytest.importorskip("zxingcpp")
    image_module = pytest.importorskip("PIL.Image")
    for payload in (WORKED_EXAMPLE, zelto.encode({"merchantName": "Café Ñandú ☕"})):
        png = zelto.qr_png(payload, scale=4)
        image = image_module.open(io.BytesIO(png))
        assert image.format == "PNG"
        assert zxingcpp.read_barcode(image).text == payload
        grid = module_grid_of_svg(zelto.qr_svg(payload))
        side = len(grid)
        assert image.size == (side * 4, side * 4)
        pixels = image.convert("L").load()
        for y in range(side):
            for x in range(side):
                assert (pixels[x * 4 + 1, y * 4 + 1] < 128) == grid[y][x], (x, y)


STAND_REQUEST = {
    "zeltoMerchantID": "4111111111111111", "merchantName": "Asha's Corner Store",
    "merchantCategoryCode": "5411", "cityName": "Pune", "countryCode": "IN",
    "currencyCode": "356", "transactionAmount": "250.00", "tipAmount": "", "tipPercentage": "",
}


def read_back_first_page(pdf, tmp_path):
    """The code on the first page of a PDF, as a print preview at 200 dpi shows it."""
    zxingcpp = pytest.importorskip("zxingcpp")
    image_module = pytest.importorskip("PIL.Image")
    if shutil.which("pdftoppm") is None:
        pytest.skip("pdftoppm is not installed")
    (tmp_path / "page.pdf").write_bytes(pdf)
    subprocess.run(["pdftoppm", "-r", "200", "-png", "-singlefile", str(tmp_path / "page.pdf"),
                    str(tmp_path / "page")], check=True)
    return zxingcpp.read_barcode(image_module.open(tmp_path / "page.png")).text


def test_print_ready_codes_read_back(tmp_path):
    assert read_back_first_page(zelto.qr_pdf(WORKED_EXAMPLE, scale=4), tmp_path) == WORKED_EXAMPLE
    pdf = zelto.poster(STAND_REQUEST, size="a5")
    assert pdf.startswith(b"%PDF-")
    assert read_back_first_page(pdf, tmp_path) == zelto.encode(STAND_REQUEST)
    svg = zelto.poster(STAND_REQUEST, format="svg", language="ar")
    assert svg.startswith(b"<?xml")
    with pytest.raises(zelto.RequestError, match="Merchant"):
        zelto.poster({"merchantName": "ABC"})
    for bad in ({"format": "png"}, {"size": "a3"}, {"language": "klingon"}):
        with pytest.raises(zelto.Error):
            zelto.poster(STAND_REQUEST, **bad)
