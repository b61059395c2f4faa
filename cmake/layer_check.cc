// The program behind each layer check of CMakeLists.txt: it does nothing; what matters is that
// it links with every object of a layer and of the layers below it, and nothing else.
int main() { return 0; }
