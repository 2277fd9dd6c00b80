// Child for the capture tests: ends at once without writing anything.
int main() { return 0; }
