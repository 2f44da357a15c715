# Every colour model the program shows, in its order, written once for the texts that list them:
# the desktop entry, the AppStream metainfo, the manual page and the package description. The
# keys are what --convert prints for each; the model_names test compares them with the
# program's own table, so a model added there fails the test until it is added here too.
set(PRISMORA_MODEL_NAMES RGB CMYK HSV HSL "CIE XYZ" "CIE L*a*b*" "CIE LCh" OKLab OKLCh
    "Display P3" "Rec. 2020")
set(PRISMORA_MODEL_KEYS rgb cmyk hsv hsl xyz lab lch oklab oklch p3 rec2020)

list(LENGTH PRISMORA_MODEL_NAMES prismora_name_count)
list(LENGTH PRISMORA_MODEL_KEYS prismora_key_count)
if(NOT prismora_name_count EQUAL prismora_key_count)
    message(FATAL_ERROR "cmake/models.cmake has ${prismora_name_count} model names but "
        "${prismora_key_count} keys")
endif()

# "RGB, CMYK, ... and OKLCh", for prose.
set(prismora_names ${PRISMORA_MODEL_NAMES})
list(POP_BACK prismora_names prismora_last_name)
list(JOIN prismora_names ", " PRISMORA_MODELS_TEXT)
string(APPEND PRISMORA_MODELS_TEXT " and ${prismora_last_name}")

# The desktop entry's search words: the keys in capitals, separated by semicolons.
string(TOUPPER "${PRISMORA_MODEL_KEYS}" PRISMORA_MODEL_KEYWORDS)
