/* The smallest 32-bit Windows program: it ends with 42. Whether Wine can run it tells
   whether this machine runs 32-bit code at all (some virtual machines run 64-bit user
   code only), apart from any fault of our own programs. */
int main(void) { return 42; }
