/* ZELTO_EXPORT marks what libzelto exports: the functions of the C interface and the public
 * C++ classes and functions. The library is compiled with hidden symbols by default, so a
 * shared libzelto exports only what carries this mark; in a static library it changes nothing.
 * Usable from C and C++. */
#ifndef ZELTO_EXPORT_H_
#define ZELTO_EXPORT_H_

#if defined(__GNUC__) || defined(__clang__)
#define ZELTO_EXPORT __attribute__((visibility("default")))
#else
#define ZELTO_EXPORT
#endif

#endif /* ZELTO_EXPORT_H_ */
