-- Driven by ardour-suite.sh through ardour7-lua (headless, "None (Dummy)" backend).
--   session.lua discover
--   session.lua record DIR NAME SECONDS PLAN
--   session.lua apply DIR SNAPSHOT PLAN
-- "record" makes a session with one stereo track holding one take, then runs PLAN;
-- "apply" loads a saved snapshot and runs PLAN. PLAN is tab-separated, one step a line:
--   tempo BPM | plugin FORMAT ID | existing FORMAT | preset LABEL
--   | set LABEL NORMALIZED REAL | latency TAG | save SNAPSHOT | clear | presets FILE
-- FORMAT is VST3 or LV2; "existing" takes the track's first plug-in.
-- "presets" prints each label of FILE (one a line) that the plug-in's preset menu holds.
-- The driver reads the lines starting with "FOUND", "LATENCY", "PRESET" and "LUA-DONE" on stdout.

local function fail(msg)
	print("LUA-FAIL " .. msg)
	quit()
	error(msg)
end

local function backend(device)
	-- The Dummy backend is hidden unless asked for; without it there is no headless engine.
	ARDOUR.config():set_hide_dummy_backend(false)
	local be = AudioEngine:set_backend("None (Dummy)", "", "")
	if be:isnil() then fail("no Dummy backend") end
	be:set_device_name(device)
	-- Faster than real time keeps the capture short in wall time.
	be:set_driver("10x Speed")
	return be
end

local function discover()
	backend("Silence")
	AudioEngine:set_sample_rate(48000)
	-- Plug-in listing before the engine runs crashes Ardour 7.3.
	if AudioEngine:start(false) ~= 0 then fail("engine did not start") end
	for p in ARDOUR.LuaAPI.list_plugins():iter() do
		if p.name == "LUMIVOX" then
			local fmt = (p.type == ARDOUR.PluginType.VST3) and "VST3" or ((p.type == ARDOUR.PluginType.LV2) and "LV2" or "other")
			print(string.format("FOUND\t%s\t%s", fmt, p.unique_id))
		end
	end
	AudioEngine:stop(false)
end

local function split_tabs(line)
	local out = {}
	for f in (line .. "\t"):gmatch("([^\t]*)\t") do out[#out + 1] = f end
	return out
end

local function set_tempo(bpm)
	local tm = Temporal.TempoMap.fetch_writable()
	tm:set_tempo(Temporal.Tempo(bpm, bpm, 4), Temporal.timepos_t(0))
	Temporal.TempoMap.update(tm)
end

-- Let the engine run some cycles: parameter changes reach a plug-in only in its process call,
-- and Ardour asks the plug-in for its state (the saved sound) outside of it.
local function settle() sleep(0.3) end

local function find_control(proc, label)
	local a = proc:to_automatable()
	for p in a:all_automatable_params():iter() do
		local c = a:automation_control(p, false)
		if not c:isnil() and c:desc().label == label then return c end
	end
	return nil
end

local function run_plan(track, planfile)
	local proc, format
	for line in io.lines(planfile) do
		local f = split_tabs(line)
		local op = f[1]
		if op == "" or op:sub(1, 1) == "#" then
			-- comment
		elseif op == "tempo" then
			set_tempo(tonumber(f[2]))
		elseif op == "plugin" then
			format = f[2]
			local ptype = (format == "VST3") and ARDOUR.PluginType.VST3 or ARDOUR.PluginType.LV2
			proc = ARDOUR.LuaAPI.new_plugin(Session, f[3], ptype, "")
			if proc:isnil() then fail("cannot instantiate " .. format .. " " .. f[3]) end
			if track:add_processor_by_index(proc, 0, nil, true) ~= 0 then fail("cannot insert plug-in") end
		elseif op == "existing" then
			format = f[2]
			proc = track:nth_plugin(0)
			if proc:isnil() then fail("no plug-in on the track") end
		elseif op == "preset" then
			local plug = proc:to_insert():plugin(0)
			local pr = plug:preset_by_label(f[2])
			if not pr or not pr.valid then fail("no preset " .. f[2]) end
			if not plug:load_preset(pr) then fail("preset did not load: " .. f[2]) end
			settle()
		elseif op == "presets" then
			-- Ardour 7.3 gives Lua no list of a VST3's programs, but finds each by its label.
			local plug = proc:to_insert():plugin(0)
			for label in io.lines(f[2]) do
				local pr = plug:preset_by_label(label)
				if pr and pr.valid then print("PRESET\t" .. label) end
			end
		elseif op == "set" then
			local c = find_control(proc, f[2])
			if not c then fail("no control " .. f[2]) end
			-- VST3 controls take the normalized value, LV2 properties the value in its own units.
			local v = (format == "VST3") and tonumber(f[3]) or tonumber(f[4])
			c:set_value(v, PBD.GroupControlDisposition.NoGroup)
		elseif op == "latency" then
			settle()
			print(string.format("LATENCY\t%s\t%d\t%d", f[2], proc:to_insert():signal_latency(), track:signal_latency()))
		elseif op == "save" then
			settle()
			if Session:save_state(f[2], false, false, false, false, false) ~= 0 then fail("save " .. f[2]) end
		elseif op == "clear" then
			track:remove_processor(proc, nil, true)
			proc = nil
			settle()
		else
			fail("bad plan line: " .. line)
		end
	end
end

local function record(dir, name, seconds, planfile)
	backend("Sine Wave")
	if not create_session(dir, name, 48000) then fail("cannot create session " .. dir) end
	local tl = Session:new_audio_track(2, 2, nil, 1, "src", ARDOUR.PresentationInfo.max_order,
		ARDOUR.TrackMode.Normal, true, false)
	local track = tl:front()
	-- There is no headless audio import in 7.3: record a take from the generator inputs;
	-- the driver overwrites its files with the test signal afterwards.
	track:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup)
	Session:maybe_enable_record(false)
	Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
	-- Wait for the length itself: how fast the Dummy engine really runs depends on the load.
	local target = seconds * Session:nominal_sample_rate()
	local waited = 0
	while Session:transport_sample() < target do
		if waited > 60 then fail("the recording does not advance") end
		sleep(0.05)
		waited = waited + 0.05
	end
	Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
	sleep(0.5)
	track:rec_enable_control():set_value(0, PBD.GroupControlDisposition.NoGroup)
	Session:disable_record(false, false)
	local n = 0
	for r in track:playlist():region_list():iter() do
		print(string.format("REGION\t%d\t%d", r:position():samples(), r:length():samples()))
		-- The bar grid's first beat is the file's first sample in the renderer too.
		if r:position():samples() ~= 0 then fail("the take does not start at the session's start") end
		-- A new region fades in and out over 64 samples; the plug-in must see the signal as is.
		local ar = r:to_audioregion()
		ar:set_fade_in_active(false)
		ar:set_fade_out_active(false)
		n = n + 1
	end
	if n ~= 1 then fail("expected one recorded region, got " .. n) end
	Session:goto_start(false)
	run_plan(track, planfile)
end

local function apply(dir, snap, planfile)
	backend("Silence")
	if not load_session(dir, snap) then fail("cannot load " .. snap) end
	run_plan(Session:route_by_name("src"):to_track(), planfile)
end

local mode = arg[1]
if mode == "discover" then
	discover()
elseif mode == "record" then
	record(arg[2], arg[3], tonumber(arg[4]), arg[5])
elseif mode == "apply" then
	apply(arg[2], arg[3], arg[4])
else
	fail("unknown mode " .. tostring(mode))
end
print("LUA-DONE")
