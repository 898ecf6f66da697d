# For a DS program's Makefile (BlocksDS's, devkitPro's, or your own): include it after your own
# settings and before the toolchain's rules. Every model of MESHPRESS_MODELES (a folder: .txt and
# .obj; or only those MESHPRESS_FICHIERS lists, models of that folder) becomes
# MESHPRESS_BUILD/stem.h, its array named after its stem, when the model changed;
# a model meshpress cannot convert stops the build with its message. Every .obj model's texture
# image (map_Kd) becomes MESHPRESS_BUILD/stem_texture.h (meshpress-texture: the array
# stem_texture[] in the DS's direct colour, for chargertexture), when the model or the image
# changed; an untextured model's holds only a comment. The folders of the display
# lists and of meshpress.h join the include path, relative to the project so that a folder
# whose path holds blanks does not split them: INCLUDEDIRS for BlocksDS, INCLUDES for devkitPro,
# CFLAGS otherwise. meshpress and meshpress-texture are the ones built in the repository's
# build/ beside this fragment (scripts/demo.sh leaves them there), else the ones on the PATH;
# MESHPRESS and MESHPRESS_TEXTURE name others.
MESHPRESS_DS := $(patsubst %/,%,$(dir $(lastword $(MAKEFILE_LIST))))
MESHPRESS_DEPOT := $(MESHPRESS_DS)/../build
MESHPRESS ?= $(firstword $(wildcard $(MESHPRESS_DEPOT)/meshpress/meshpress) meshpress)
MESHPRESS_TEXTURE ?= $(firstword $(wildcard $(MESHPRESS_DEPOT)/texture/meshpress-texture) meshpress-texture)
MESHPRESS_MODELES ?= models
MESHPRESS_FICHIERS ?= $(wildcard $(MESHPRESS_MODELES)/*.txt $(MESHPRESS_MODELES)/*.obj)
MESHPRESS_BUILD ?= build/meshpress
MESHPRESS_H ?= $(MESHPRESS_DS)
MESHPRESS_LISTES := $(addprefix $(MESHPRESS_BUILD)/,$(addsuffix .h,$(basename $(notdir \
    $(filter %.txt %.obj,$(MESHPRESS_FICHIERS))))))
MESHPRESS_TEXTURES := $(addprefix $(MESHPRESS_BUILD)/,$(addsuffix _texture.h,$(basename $(notdir \
    $(filter %.obj,$(MESHPRESS_FICHIERS))))))
MESHPRESS_INCLURE := $(shell realpath -m --relative-to=. $(MESHPRESS_BUILD) $(MESHPRESS_H))
INCLUDEDIRS += $(MESHPRESS_INCLURE)
INCLUDES += $(MESHPRESS_INCLURE)
CFLAGS += $(addprefix -I,$(MESHPRESS_INCLURE))

$(MESHPRESS_BUILD)/%_texture.h: $(MESHPRESS_MODELES)/%.obj
	@echo meshpress-texture $<
	@mkdir -p $(@D)
	@$(MESHPRESS_TEXTURE) $< $@ $(@:.h=.d)
$(MESHPRESS_BUILD)/%.h: $(MESHPRESS_MODELES)/%.txt
	@echo meshpress $<
	@$(MESHPRESS_DS)/convertir.sh $< $@ $(MESHPRESS)
$(MESHPRESS_BUILD)/%.h: $(MESHPRESS_MODELES)/%.obj
	@echo meshpress $<
	@$(MESHPRESS_DS)/convertir.sh $< $@ $(MESHPRESS)

# make brings the makefiles it includes up to date before anything else: the models are
# converted first, whatever the toolchain names its objects. Not in devkitPro's second pass, run
# from its build folder (the first pass converted them), nor for a clean alone.
export MESHPRESS_RACINE ?= $(CURDIR)
ifeq ($(MESHPRESS_RACINE),$(CURDIR))
ifneq ($(if $(MAKECMDGOALS),$(filter-out clean distclean,$(MAKECMDGOALS)),tout),)
# The rules below must not become the Makefile's default goal.
meshpress_but := $(.DEFAULT_GOAL)
# The images each texture was made from, as meshpress-texture found them.
-include $(wildcard $(MESHPRESS_BUILD)/*_texture.d)
$(MESHPRESS_BUILD)/listes.d: $(MESHPRESS_LISTES) $(MESHPRESS_TEXTURES)
	@mkdir -p $(@D)
	@touch $@
.DEFAULT_GOAL := $(meshpress_but)
include $(MESHPRESS_BUILD)/listes.d
endif
endif
