// Gravmark Parser: the desktop program. (The windows come with the application shell.)
int main() { return 0; }
