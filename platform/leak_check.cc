// What the leak checker of a sanitized build is told about the libraries the renderer uses.
#if defined(__SANITIZE_ADDRESS__)
#define ZELTO_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELTO_LEAK_CHECKED 1
#endif
#endif
#ifdef ZELTO_LEAK_CHECKED
// fontconfig keeps the font patterns it has matched for the life of the process and frees them
// only when told to shut down, which pango never does; the leak checker is told these are not
// the library's leaks, and not to list the suppressions it used, so that a program's error
// output holds only what the program wrote.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_options() {
  return "print_suppressions=0";
}
#endif
