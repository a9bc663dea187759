// A DLL with one export too many: the export check must name it.
extern "C" int __stdcall Alpha(int a)
{
    return a + 1;
}
extern "C" int __stdcall Beta(int a, int b)
{
    return a + b;
}
// Exported by its attribute, past the .def.
extern "C" __declspec(dllexport) int __stdcall Stray(int a)
{
    return a - 1;
}
