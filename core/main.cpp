// Lantern Vale: the program takes no options; everything happens in the framework.
int main() { return 0; }
