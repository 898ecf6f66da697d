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
# meshpress's options: MESHPRESS_OPTIONS for every model of the folder (none by default: today's
# lists); a side file beside a model, its stem with .meshpress (models/cube.meshpress), holds
# that model's own in their place (its words; none when empty), and converts it again when it
# changes. A model whose options hold --binaire becomes MESHPRESS_BINAIRES/stem.bin instead
# (MESHPRESS_BUILD by default): name a folder of BlocksDS's BINDIRS or devkitPro's DATA there
# (bin2c, bin2o: stem_bin[] and stem_bin_size), or one inside the NitroFS folder.
MESHPRESS_DS := $(patsubst %/,%,$(dir $(lastword $(MAKEFILE_LIST))))
MESHPRESS_DEPOT := $(MESHPRESS_DS)/../build
MESHPRESS ?= $(firstword $(wildcard $(MESHPRESS_DEPOT)/meshpress/meshpress) meshpress)
MESHPRESS_TEXTURE ?= $(firstword $(wildcard $(MESHPRESS_DEPOT)/texture/meshpress-texture) meshpress-texture)
MESHPRESS_MODELES ?= models
MESHPRESS_FICHIERS ?= $(wildcard $(MESHPRESS_MODELES)/*.txt $(MESHPRESS_MODELES)/*.obj)
MESHPRESS_BUILD ?= build/meshpress
MESHPRESS_H ?= $(MESHPRESS_DS)
MESHPRESS_OPTIONS ?=
MESHPRESS_BINAIRES ?= $(MESHPRESS_BUILD)
# A model's side file when it has one, its options, and the list it becomes.
meshpress_cote = $(wildcard $(basename $1).meshpress)
meshpress_options = $(if $(call meshpress_cote,$1),$(file <$(call meshpress_cote,$1)),$(MESHPRESS_OPTIONS))
meshpress_liste = $(if $(filter --binaire,$(call meshpress_options,$1)),$(MESHPRESS_BINAIRES)/$(notdir \
    $(basename $1)).bin,$(MESHPRESS_BUILD)/$(notdir $(basename $1)).h)
MESHPRESS_LISTES := $(foreach m,$(filter %.txt %.obj,$(MESHPRESS_FICHIERS)),$(call meshpress_liste,$m))
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
# convertir.sh takes the side file's options in place of the folder's.
define meshpress_convertir
@echo meshpress $<
@$(MESHPRESS_DS)/convertir.sh $< $@ $(MESHPRESS) $(MESHPRESS_OPTIONS)
endef
$(MESHPRESS_BUILD)/%.h: $(MESHPRESS_MODELES)/%.txt
	$(meshpress_convertir)
$(MESHPRESS_BUILD)/%.h: $(MESHPRESS_MODELES)/%.obj
	$(meshpress_convertir)
$(MESHPRESS_BINAIRES)/%.bin: $(MESHPRESS_MODELES)/%.txt
	$(meshpress_convertir)
$(MESHPRESS_BINAIRES)/%.bin: $(MESHPRESS_MODELES)/%.obj
	$(meshpress_convertir)
# Each side file, a prerequisite of its model's list; not the Makefile's default goal.
meshpress_but := $(.DEFAULT_GOAL)
$(foreach m,$(MESHPRESS_FICHIERS),$(if $(call meshpress_cote,$m),$(eval \
    $(call meshpress_liste,$m): $(call meshpress_cote,$m))))
.DEFAULT_GOAL := $(meshpress_but)

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
