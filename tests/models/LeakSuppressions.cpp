// Mesa's offscreen library keeps a few allocations of each context until the
// process ends; they are not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libOSMesa.so\n";
}
