# Decodes and validates a merchant QR payload through libzelto's C interface (<zelto/zelto.h>).
# Usage: python3 decode_validate.py /path/to/libzelto.so PAYLOAD
import ctypes, sys
lib, payload = ctypes.CDLL(sys.argv[1]), sys.argv[2].encode()
fields, codes, count = ctypes.c_void_p(), ctypes.POINTER(ctypes.c_int)(), ctypes.c_size_t()
if lib.zelto_decode_tlv(payload, ctypes.c_size_t(len(payload)), ctypes.byref(fields), None) == 0:
    print(ctypes.string_at(fields).decode())
lib.zelto_tlv_validation_with_tlv_string(payload, ctypes.c_size_t(len(payload)), ctypes.byref(codes), ctypes.byref(count), None)
print("QR error codes:", [codes[i] for i in range(count.value)])
lib.zelto_free(fields), lib.zelto_free(codes)
