// Built first into a second CORVANE.DLL for the upgrade tests: 4 KiB of
// code ahead of everything else, so that every function of that build lies
// at another place than in the product's, as in a later version.
asm(".section .init,\"xr\"\n"
    ".fill 4096, 1, 0xCC\n"
    ".text\n");
