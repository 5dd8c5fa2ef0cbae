# A texture that cannot be loaded while the saver starts: the Windows test
# program runs the whole saver (/s) with a model naming a missing bitmap. The
# "Error" box with the open message (the name as the model gives it) must
# stay until OK (the saver window goes first, or its close would end the box
# at once), the program then ends with exit code 1 from inside the load,
# before GoogleTest reports anything, and no saver is left running for the
# system.
check_texture_error() {
    probe clear-running >/dev/null
    start TEXTURE wine "$TESTS_EXE" --gtest_also_run_disabled_tests --gtest_filter='SaverTextureFailure.*'
    answer_error_box "$TEXTURE" "missing texture" "$ARTIFACTS/texture-error-box.png" \
        'Failed to open DIB file missing-texture.bmp.\n'
    saver_flag_cleared "missing texture"
    if grep -q 'tests\? from .* ran' "$WORK/TEXTURE.out" 2>/dev/null; then
        fail "missing texture: the saver ran on and returned"
    fi
}
