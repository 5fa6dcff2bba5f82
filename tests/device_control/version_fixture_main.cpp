// A program file that only carries a version resource.
int main() { return 0; }
