// Linked with one floor's whole library and what that library links: it exists only so
// that the linker resolves every symbol of that floor from the floors below it.
int main() { return 0; }
