# For a DS program's Makefile (BlocksDS's, devkitPro's, or your own): include it, then make what
# includes the display lists depend on $(MESHPRESS_LISTES). Every model of MESHPRESS_MODELES
# (a folder: .txt and .obj) becomes MESHPRESS_BUILD/stem.h, its array named after its stem, when
# the model changed; a model meshpress cannot convert stops the build with its message. The
# folders of the display lists and of meshpress.h join the include path (INCLUDEDIRS for
# BlocksDS, INCLUDES for devkitPro, CFLAGS otherwise).
MESHPRESS_DS := $(patsubst %/,%,$(dir $(lastword $(MAKEFILE_LIST))))
MESHPRESS ?= meshpress
MESHPRESS_MODELES ?= models
MESHPRESS_BUILD ?= build/meshpress
MESHPRESS_H ?= $(MESHPRESS_DS)
MESHPRESS_LISTES := $(addprefix $(MESHPRESS_BUILD)/,$(addsuffix .h,$(basename $(notdir \
    $(wildcard $(MESHPRESS_MODELES)/*.txt $(MESHPRESS_MODELES)/*.obj)))))
INCLUDEDIRS += $(MESHPRESS_BUILD) $(MESHPRESS_H)
INCLUDES += $(MESHPRESS_BUILD) $(MESHPRESS_H)
CFLAGS += -I$(MESHPRESS_BUILD) -I$(MESHPRESS_H)

$(MESHPRESS_BUILD)/%.h: $(MESHPRESS_MODELES)/%.txt
	@echo meshpress $<
	@$(MESHPRESS_DS)/convertir.sh $< $@ $(MESHPRESS)
$(MESHPRESS_BUILD)/%.h: $(MESHPRESS_MODELES)/%.obj
	@echo meshpress $<
	@$(MESHPRESS_DS)/convertir.sh $< $@ $(MESHPRESS)
